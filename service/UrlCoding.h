// Percent-encoding of query values, byte by byte over narrow text.
#pragma once

#include <string>

// ASCII letters, digits and "-_.~" stay; a space becomes "+"; every other byte becomes "%XX"
// with upper-case hexadecimal digits.
std::string UrlEncode(const std::string& text);

// "+" becomes a space and "%XX" (two hexadecimal digits, either case) the byte XX. A "%" not
// followed by two hexadecimal digits is copied unchanged, as is every other byte.
std::string UrlDecode(const std::string& text);
