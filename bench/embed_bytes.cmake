# Writes the bytes of IN as a C array `floor_bytes` into the header OUT.
file(READ ${IN} hex HEX)
string(REGEX REPLACE "([0-9a-f][0-9a-f])" "0x\\1," body "${hex}")
file(WRITE ${OUT} "static const unsigned char floor_bytes[] = {${body}};\n")
