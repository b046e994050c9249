// A test phrase of about two seconds that tells whether a device sounds:
// program and volume set first, then a chord and a drum note; at its end,
// or when stopped, every note is released and the device reset and closed.
// It is played step by step by whoever holds a timer (the diagnosis page, on
// its window's thread), so that nothing waits for it.
#pragma once

#include "lib/midi/midi_calls.h"

struct PhrasePlayer {
  bool playing = false;
  MidiOut out = 0;
  unsigned next = 0;  // the index of the next step to play
};

// Opens device `id` (kMidiMapper for the default device) and plays the
// phrase's first steps; `*wait` is how many milliseconds to wait before
// calling ContinuePhrase. The result of opening: on a failure nothing is
// open and the player stays idle.
MidiResult StartPhrase(const MidiCalls &calls, unsigned id, PhrasePlayer *player, unsigned *wait);

// Plays the steps now due. True, with `*wait` until the next, while the
// phrase goes on; false once it has ended (and the device is closed).
bool ContinuePhrase(const MidiCalls &calls, PhrasePlayer *player, unsigned *wait);

// Ends the phrase now: its notes released, the device reset and closed.
// An idle player is left alone.
void StopPhrase(const MidiCalls &calls, PhrasePlayer *player);

// The phrase's messages as a device receives them from start to end, for tests.
struct PhraseMessage {
  unsigned at;  // milliseconds from the start
  uint32_t message;
};
extern const PhraseMessage kTestPhrase[];
extern const unsigned kTestPhraseSteps;
// When the phrase ends, in milliseconds from its start.
extern const unsigned kTestPhraseLength;
// What releases every note the phrase plays, sent at its end or at a stop.
extern const uint32_t kPhraseRelease[];
extern const unsigned kPhraseReleaseCount;
