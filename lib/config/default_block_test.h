// The generated block that the options page's defaults give, shared by the
// writer's tests and the page's tests.
#pragma once

inline constexpr char kDefaultBlock[] =
    "#extension opt --volume=70\r\n"
    "#extension opt --drum-power=100\r\n"
    "#extension opt --chorus=n\r\n"
    "#extension opt --reverb=n\r\n"
    "#extension opt --voice-lpf=c\r\n"
    "#extension opt --sampling-freq=44100\r\n"
    "#extension opt --polyphony=128\r\n"
    "#extension opt -OdSs1l\r\n"
    "#extension opt -EWPVETSOZJDXCQ\r\n"
    "#extension opt --resample=L\r\n"
    "#extension opt --rtsyn-latency=0.040\r\n"
    "#extension opt -R0\r\n"
    "#extension opt -B0\r\n"
    "#extension opt -EFns=4\r\n";
