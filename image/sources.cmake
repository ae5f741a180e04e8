# Files of image/ (see the top-level CMakeLists.txt).
list(APPEND ZV_PORTABLE_SOURCES
  image/PixelImage.cpp
)
# JpegCodec.cpp has no Windows code, but libjpeg is built for Windows only.
list(APPEND ZV_WIN_SOURCES
  image/BitmapImage.cpp
  image/JpegCodec.cpp
)
