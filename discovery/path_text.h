// Small in-place operations that turn what the registry or a settings file
// holds (quoted program paths, command lines, folder names in any case) into
// clean folder paths. Texts are 8-bit ANSI in caller-owned fixed buffers;
// the operations that can lengthen a text take the buffer's capacity.
#pragma once
#include <cstddef>

// Lower-cases the ASCII letters, then upper-cases the first character and
// every ASCII letter that follows a non-letter.
void CapitalizeWords(char* text);

// Appends a backslash unless the text already ends with one (and there is
// room for it).
char* EnsureTrailingBackslash(char* text, size_t capacity);

// Removes everything before the first letter; a text that starts with a
// letter is left alone.
char* StripLeadingNonLetters(char* text);

// Ends the text just after the rightmost `mark`, looking only between the
// second and the second-to-last character.
char* CutAfterLast(char* text, char mark);

// destination = base (when given), a backslash if needed, then name.
char* JoinPath(char* destination, size_t capacity, const char* name, const char* base);

// Shortens the path to the longest existing folder it names, looking no
// further up than its last backslash. Changes the current directory.
bool TrimToExistingFolder(char* path);

// Lower-cases the ASCII letters A to Z in place.
void LowerAscii(char* text);
