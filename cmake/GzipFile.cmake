# cmake -DIN=<file> -DOUT=<file.gz> -P GzipFile.cmake: OUT becomes the gzip stream of IN's bytes.
# With SOURCE_DATE_EPOCH set the stream carries no time stamp, so a rebuild gives the same bytes.
set(ENV{SOURCE_DATE_EPOCH} 0)
file(ARCHIVE_CREATE OUTPUT ${OUT} PATHS ${IN} FORMAT raw COMPRESSION GZip)
