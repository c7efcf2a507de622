#include "platform/toolkit/message_text.h"

#include <vector>

namespace toolkit {

namespace {

// Where each UTF-8 character of text starts: a continuation byte never does.
std::vector<std::size_t> character_starts(std::string_view text) {
  std::vector<std::size_t> starts;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0) != 0x80) starts.push_back(i);
  }
  return starts;
}

std::string shortened(std::string_view quoted, std::size_t longest) {
  const std::vector<std::size_t> starts = character_starts(quoted);
  if (starts.size() <= longest) return std::string(quoted);
  // Both ends tell: a number's first digits, a file's name at a path's end.
  const std::size_t head = (longest - 1) / 2;
  const std::size_t tail = longest - 1 - head;
  return std::string(quoted.substr(0, starts[head])) + "\u2026" +
         std::string(quoted.substr(starts[starts.size() - tail]));
}

}  // namespace

std::string shorten_quotes(std::string_view text, std::size_t longest) {
  std::string result;
  std::size_t at = 0;
  for (;;) {
    const std::size_t open = text.find('"', at);
    const std::size_t close = open == std::string_view::npos ? open : text.find('"', open + 1);
    if (close == std::string_view::npos) break;
    result.append(text.substr(at, open + 1 - at));
    result += shortened(text.substr(open + 1, close - open - 1), longest);
    result += '"';
    at = close + 1;
  }
  result.append(text.substr(at));
  return result;
}

std::string printable_name(std::string_view name) {
  std::string shown(name);
  for (char& c : shown) {
    const auto byte = static_cast<unsigned char>(c);
    if (byte < 0x20 || byte == 0x7F) c = '?';
  }
  return shown;
}

}  // namespace toolkit
