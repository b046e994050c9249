#include "lib/midi/test_phrase.h"

namespace {

// A short message: status byte, then the two data bytes.
constexpr uint32_t Message(uint32_t status, uint32_t data1, uint32_t data2 = 0) {
  return status | data1 << 8 | data2 << 16;
}

constexpr uint32_t kProgramChange = 0xC0, kControlChange = 0xB0, kNoteOn = 0x90, kNoteOff = 0x80;
constexpr uint32_t kMelody = 0, kDrums = 9;  // channels 1 and 10
constexpr uint32_t kVolume = 7, kAllNotesOff = 123;
constexpr uint32_t kPiano = 0, kC4 = 60, kE4 = 64, kG4 = 67, kBassDrum = 36;

}  // namespace

const PhraseMessage kTestPhrase[] = {
    {0, Message(kProgramChange | kMelody, kPiano)},
    {0, Message(kControlChange | kMelody, kVolume, 100)},
    {0, Message(kControlChange | kDrums, kVolume, 100)},
    {0, Message(kNoteOn | kMelody, kC4, 96)},
    {0, Message(kNoteOn | kMelody, kE4, 96)},
    {0, Message(kNoteOn | kMelody, kG4, 96)},
    {0, Message(kNoteOn | kDrums, kBassDrum, 112)},
    {500, Message(kNoteOff | kDrums, kBassDrum)},
};
const unsigned kTestPhraseSteps = sizeof kTestPhrase / sizeof kTestPhrase[0];
const unsigned kTestPhraseLength = 2000;

// Each note the phrase plays released again (harmless where it already is),
// and all notes off on both channels for a device that holds more.
const uint32_t kPhraseRelease[] = {
    Message(kNoteOff | kMelody, kC4),
    Message(kNoteOff | kMelody, kE4),
    Message(kNoteOff | kMelody, kG4),
    Message(kNoteOff | kDrums, kBassDrum),
    Message(kControlChange | kMelody, kAllNotesOff, 0),
    Message(kControlChange | kDrums, kAllNotesOff, 0),
};
const unsigned kPhraseReleaseCount = sizeof kPhraseRelease / sizeof kPhraseRelease[0];

namespace {

// Plays every step due at the next step's time, with the wait until the
// one after (or the end); false when only the end is left.
bool PlayDueSteps(const MidiCalls &calls, PhrasePlayer *player, unsigned *wait) {
  if (player->next == kTestPhraseSteps) return false;
  unsigned now = kTestPhrase[player->next].at;
  while (player->next < kTestPhraseSteps && kTestPhrase[player->next].at == now)
    calls.shortMessage(player->out, kTestPhrase[player->next++].message);
  *wait = (player->next < kTestPhraseSteps ? kTestPhrase[player->next].at : kTestPhraseLength) - now;
  return true;
}

}  // namespace

MidiResult StartPhrase(const MidiCalls &calls, unsigned id, PhrasePlayer *player, unsigned *wait) {
  StopPhrase(calls, player);
  MidiResult result = calls.open(id, &player->out);
  if (result != kMidiOk) return result;
  player->playing = true;
  player->next = 0;
  PlayDueSteps(calls, player, wait);
  return kMidiOk;
}

bool ContinuePhrase(const MidiCalls &calls, PhrasePlayer *player, unsigned *wait) {
  if (!player->playing) return false;
  if (PlayDueSteps(calls, player, wait)) return true;
  StopPhrase(calls, player);
  return false;
}

// A message that fails (a device gone meanwhile) stops nothing: the rest
// still goes out, and the device is closed whatever the reset answered.
void StopPhrase(const MidiCalls &calls, PhrasePlayer *player) {
  if (!player->playing) return;
  for (unsigned i = 0; i < kPhraseReleaseCount; ++i) calls.shortMessage(player->out, kPhraseRelease[i]);
  calls.reset(player->out);
  calls.close(player->out);
  *player = PhrasePlayer{};
}
