// A small set of enumeration values (the option sets and the supported
// archive types), one bit per ordinal.
#pragma once

#include <cstdint>
#include <initializer_list>

namespace archive {

template <typename E>
class EnumSet {
 public:
  constexpr EnumSet() = default;
  constexpr EnumSet(std::initializer_list<E> values) {
    for (E value : values) Include(value);
  }
  static constexpr EnumSet FromMask(std::uint32_t mask) {
    EnumSet set;
    set.mask_ = mask;
    return set;
  }

  constexpr bool Contains(E value) const { return (mask_ & Bit(value)) != 0; }
  constexpr EnumSet& Include(E value) {
    mask_ |= Bit(value);
    return *this;
  }
  constexpr EnumSet& Exclude(E value) {
    mask_ &= ~Bit(value);
    return *this;
  }
  constexpr bool Empty() const { return mask_ == 0; }
  constexpr std::uint32_t Mask() const { return mask_; }
  constexpr bool operator==(const EnumSet&) const = default;

 private:
  static constexpr std::uint32_t Bit(E value) {
    return std::uint32_t{1} << static_cast<unsigned>(value);
  }
  std::uint32_t mask_ = 0;
};

}  // namespace archive
