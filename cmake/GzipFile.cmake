# cmake -DIN=<file> -DOUT=<file.gz> -P GzipFile.cmake: OUT becomes the gzip stream of IN's bytes.
file(ARCHIVE_CREATE OUTPUT ${OUT} PATHS ${IN} FORMAT raw COMPRESSION GZip)
