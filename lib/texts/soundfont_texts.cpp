#include "lib/texts/soundfont_texts.h"

TextId SoundfontStatusText(SoundfontStatus status) {
  switch (status) {
    case SoundfontStatus::kOk:
      return TextId::kSoundfontOk;
    case SoundfontStatus::kNotFound:
      return TextId::kSoundfontNotFound;
    case SoundfontStatus::kUnreadable:
      return TextId::kSoundfontUnreadable;
    case SoundfontStatus::kNotSoundfont:
      return TextId::kSoundfontNotSoundfont;
    case SoundfontStatus::kTruncated:
      break;
  }
  return TextId::kSoundfontTruncated;
}

TextId SoundfontRefusalText(const SoundfontOutcome &outcome) {
  switch (outcome.refusal) {
    case SoundfontRefusal::kListed:
      return TextId::kSoundfontListed;
    case SoundfontRefusal::kFolder:
      return TextId::kSoundfontFolder;
    case SoundfontRefusal::kUnfit:
      return TextId::kSoundfontUnfit;
    case SoundfontRefusal::kChecked:
    case SoundfontRefusal::kNone:
      break;
  }
  return SoundfontStatusText(outcome.check.status);
}
