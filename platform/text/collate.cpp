#include "platform/text/collate.h"

#include <unicode/coll.h>
#include <unicode/unistr.h>

#include <memory>

namespace platform::text {

namespace {

// The Japanese collation down to the kana type (hiragana and katakana
// differ only at the fourth level), one per thread: a collator may not be
// shared while it compares.
icu::Collator* JapaneseCollator() {
  thread_local std::unique_ptr<icu::Collator> collator = [] {
    UErrorCode status = U_ZERO_ERROR;
    std::unique_ptr<icu::Collator> made(
        icu::Collator::createInstance(icu::Locale("ja", "JP"), status));
    if (U_FAILURE(status)) made.reset();
    if (made) made->setStrength(icu::Collator::QUATERNARY);
    return made;
  }();
  return collator.get();
}

icu::UnicodeString Folded(std::string_view utf8) {
  icu::UnicodeString text = icu::UnicodeString::fromUTF8(
      icu::StringPiece(utf8.data(), static_cast<int32_t>(utf8.size())));
  text.foldCase();
  return text;
}

}  // namespace

int AnsiCompareText(std::string_view a, std::string_view b) {
  icu::UnicodeString left = Folded(a);
  icu::UnicodeString right = Folded(b);
  if (icu::Collator* collator = JapaneseCollator()) {
    UErrorCode status = U_ZERO_ERROR;
    UCollationResult order = collator->compare(left, right, status);
    if (U_SUCCESS(status)) return order;
  }
  return left.compare(right);
}

}  // namespace platform::text
