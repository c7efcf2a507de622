#pragma once
// Texts the toolkits show the user, made fit to be seen: a message quoting
// 400 typed digits, or a file name holding a line feed, is readable only
// once shortened or made visible. What the program logs keeps the full text.

#include <cstddef>
#include <string>
#include <string_view>

namespace toolkit {

// The text with every part between double quotes that is longer than
// `longest` characters (UTF-8 code points) shortened to its beginning and its
// end around an ellipsis.
std::string shorten_quotes(std::string_view text, std::size_t longest = 60);

// A name with its control characters (line feeds, tabs, ...) shown as "?",
// so that it takes one line of a list.
std::string printable_name(std::string_view name);

}  // namespace toolkit
