#pragma once
// Table indexes made of texts and object identifiers, as the agent tables use them: a text
// is its length n and its n bytes, an object identifier its length n and its n
// sub-identifiers, each one component of the instance suffix.
#include <cstddef>
#include <string>
#include <vector>

// The instance suffix of a text index, without a leading "." ("3.97.98.99"; "0" for "").
// Bytes above 127 give numbers above 127, never negative ones.
std::string TextIndexSuffix(const std::string& text);

// Index components read from `pos` on, advancing it; a short index gives what is there.
std::string IndexText(const std::vector<unsigned long>& index, std::size_t& pos);
std::string IndexOid(const std::vector<unsigned long>& index, std::size_t& pos);
