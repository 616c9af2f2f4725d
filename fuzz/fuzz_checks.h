#pragma once

#include <cstddef>
#include <cstdint>

// The checks each fuzz target runs on one input; the regression test replays saved inputs
// through the same functions. A broken promise ends the process with a trap.
namespace fuzzchecks
{

// First byte: name length (mod 9); then the name; the rest is the image searched.
void CheckExtractSection(const std::uint8_t* data, std::size_t size);

// The whole input is the file whose trailer is read.
void CheckReadTrailer(const std::uint8_t* data, std::size_t size);

// First byte: the delimiter; the rest is the text split.
void CheckSplitFields(const std::uint8_t* data, std::size_t size);

// The whole input is a JPEG file, decoded for the program's image control and whole.
void CheckDecodeJpeg(const std::uint8_t* data, std::size_t size);

// The whole input is the file whose sections are listed.
void CheckListSections(const std::uint8_t* data, std::size_t size);

// First byte: name length (mod 9); then the name; the rest is cut in half, the file and the
// bytes appended to it.
void CheckAppendSection(const std::uint8_t* data, std::size_t size);

// The whole input is a file: where its program image ends, and the "JPG2" section searched
// for from there.
void CheckProgramImage(const std::uint8_t* data, std::size_t size);

// The whole input is a recipe file: read and checked, or refused with a RecipeError; a recipe
// read is written back in canonical form, which reads back to the same bytes.
void CheckRecipe(const std::uint8_t* data, std::size_t size);

} // namespace fuzzchecks
