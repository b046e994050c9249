// How the driver's hidden volume windows are recognised.
#pragma once

// Every class whose name begins with this, case-sensitively, is a driver
// window; each process that plays through the driver owns one.
extern const char kDriverWindowClassPrefix[];

bool IsDriverWindowClass(const char *className);
