# Copies one help page for the help book, with a space after each Japanese
# comma and full stop: the help viewer breaks lines only at spaces, and a
# Japanese sentence without them would run off the right edge of the page.
# Usage: cmake -DIN=page.html -DOUT=staged/page.html -P help_page.cmake
file(READ "${IN}" page)
string(REPLACE "、" "、 " page "${page}")
string(REPLACE "。" "。 " page "${page}")
file(WRITE "${OUT}" "${page}")
