#pragma once
// The reading rule written the plain way, for the tests to hold the
// streaming reader to: the whole text in memory, the literal gathered into a
// string and handed to strtod. Slow and unbounded, but obviously right.

#include <cstdlib>
#include <string>
#include <string_view>

namespace reference {

struct Reading {
  double value = 0;
  bool whole = false;  // a number, and nothing after it
};

inline Reading read_number(std::string_view text) {
  std::size_t pos = 0;
  const auto skip = [&] {
    while (pos < text.size() && (text[pos] == ' ' || text[pos] == '\t' || text[pos] == '\n')) ++pos;
  };
  const auto peek = [&] { return pos < text.size() ? text[pos] : '\0'; };
  const auto next = [&] {
    ++pos;
    skip();
  };
  const auto digit = [](char c) { return c >= '0' && c <= '9'; };
  skip();
  Reading r;
  bool found = false;
  if (peek() == '&') {
    next();
    int base = 0;
    if (peek() == 'H' || peek() == 'h') base = 16;
    if (peek() == 'O' || peek() == 'o') base = 8;
    if (base == 0) return r;
    next();
    double value = 0;
    for (;;) {
      const char c = peek();
      int d = digit(c) ? c - '0' : c >= 'a' && c <= 'f' ? c - 'a' + 10 : c >= 'A' && c <= 'F' ? c - 'A' + 10 : 99;
      if (d >= base) break;
      value = value * base + d;
      found = true;
      next();
    }
    r.value = found ? value : 0;
    r.whole = found && pos == text.size();
    return r;
  }
  std::string literal;
  if (peek() == '+' || peek() == '-') {
    if (peek() == '-') literal += '-';
    next();
  }
  for (; digit(peek()); next()) {
    literal += peek();
    found = true;
  }
  if (peek() == '.') {
    literal += '.';
    next();
    for (; digit(peek()); next()) {
      literal += peek();
      found = true;
    }
  }
  if (!found) return r;
  if (peek() == 'E' || peek() == 'e') {
    const std::size_t mark = pos;
    next();
    std::string exponent = "e";
    if (peek() == '+' || peek() == '-') {
      exponent += peek();
      next();
    }
    if (digit(peek())) {
      for (; digit(peek()); next()) exponent += peek();
      literal += exponent;
    } else {
      pos = mark;
    }
  }
  r.value = std::strtod(literal.c_str(), nullptr);
  r.whole = pos == text.size();
  return r;
}

}  // namespace reference
