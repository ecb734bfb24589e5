#pragma once
// UTF-8 byte walking for text held as UTF-8. A byte that starts no complete, well-formed character (a
// stray continuation byte, a cut or overlong sequence, a surrogate) counts as one character on its own,
// as the editing component counts it, so that every position these give is one the component accepts.
#include <cstddef>
#include <string_view>

namespace tovel {

// Offset just past the character that starts at pos.
std::size_t NextUtf8CharPos(std::string_view text, std::size_t pos);

// How many leading bytes of typed or pasted UTF-8 text fit into `room` bytes: whole characters only, and a
// CR LF is never split into a lone CR.
std::size_t Utf8PasteFits(std::string_view text, std::size_t room);

}  // namespace tovel
