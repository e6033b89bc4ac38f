#include "registry/value_data.h"

#include <algorithm>

#include "platform/registry.h"

namespace platform::registry_internal {

std::optional<std::vector<BYTE>> NormaliseValueData(DWORD type, std::span<const BYTE> data) {
  switch (type) {
    case REG_DWORD:
      if (data.size() != sizeof(DWORD)) return std::nullopt;
      return std::vector<BYTE>(data.begin(), data.end());
    case REG_SZ:
    case REG_EXPAND_SZ:
      return EncodeString(DecodeString(data));
    case REG_MULTI_SZ: {
      const std::vector<std::string> texts = DecodeMultiString(data);
      return EncodeMultiString(texts);
    }
    default:
      return std::vector<BYTE>(data.begin(), data.end());
  }
}

std::vector<BYTE> EncodeDword(DWORD value) {
  return {static_cast<BYTE>(value), static_cast<BYTE>(value >> 8), static_cast<BYTE>(value >> 16),
          static_cast<BYTE>(value >> 24)};
}

DWORD DecodeDword(std::span<const BYTE> data) {
  DWORD value = 0;
  for (std::size_t i = std::min<std::size_t>(data.size(), 4); i-- > 0;)
    value = value << 8 | data[i];
  return value;
}

std::vector<BYTE> EncodeString(std::string_view text) {
  std::vector<BYTE> data(text.begin(), text.end());
  data.push_back(0);
  return data;
}

std::string DecodeString(std::span<const BYTE> data) {
  const auto end = std::find(data.begin(), data.end(), BYTE{0});
  return std::string(data.begin(), end);
}

std::vector<BYTE> EncodeMultiString(std::span<const std::string> texts) {
  std::vector<BYTE> data;
  for (const std::string& text : texts) {
    if (text.empty()) continue;
    data.insert(data.end(), text.begin(), text.end());
    data.push_back(0);
  }
  data.push_back(0);
  return data;
}

std::vector<std::string> DecodeMultiString(std::span<const BYTE> data) {
  std::vector<std::string> texts;
  while (!data.empty()) {
    std::string text = DecodeString(data);
    if (text.empty()) break;
    data = data.subspan(std::min(text.size() + 1, data.size()));
    texts.push_back(std::move(text));
  }
  return texts;
}

}  // namespace platform::registry_internal
