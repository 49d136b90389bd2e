# The drawing layer's dependencies: FreeType renders text; libpng, libjpeg-turbo and giflib
# decode picture files and libpng writes screenshots; and the canvas font is compiled into the
# binary so that text comes out the same on every machine, whatever fonts it has installed.

# These libraries and what they need (zlib, brotli) are linked statically, unless
# BRINDLE_SHARED_LIBS: the program then loads no shared library but the C library's at
# start-up, and FreeType's code is only paged in when text is first drawn. (Their static libraries come with libfreetype-dev, libpng-dev,
# libjpeg62-turbo-dev, libgif-dev, zlib1g-dev and libbrotli-dev.)
find_package(Freetype REQUIRED)
find_package(PkgConfig REQUIRED)
pkg_check_modules(BRINDLE_LIBS REQUIRED freetype2 libpng libjpeg libgif)
if(BRINDLE_SHARED_LIBS)
  # As a distribution's package links them, so that its security updates reach the program.
  target_include_directories(brindle_core SYSTEM PRIVATE ${FREETYPE_INCLUDE_DIRS}
                             ${BRINDLE_LIBS_INCLUDE_DIRS})
  target_link_libraries(brindle_core PRIVATE ${BRINDLE_LIBS_LINK_LIBRARIES} m)
else()
  # pkg-config names a library more than once (zlib, for FreeType and for libpng); each is
  # linked once, after everything that needs it.
  set(names ${BRINDLE_LIBS_STATIC_LIBRARIES})
  list(REMOVE_ITEM names m)
  list(REVERSE names)
  list(REMOVE_DUPLICATES names)
  list(REVERSE names)
  set(BRINDLE_ARCHIVES)
  foreach(name IN LISTS names)
    find_library(BRINDLE_ARCHIVE_${name} NAMES lib${name}.a
      HINTS ${BRINDLE_LIBS_STATIC_LIBRARY_DIRS} REQUIRED)
    list(APPEND BRINDLE_ARCHIVES ${BRINDLE_ARCHIVE_${name}})
  endforeach()
  target_include_directories(brindle_core SYSTEM PRIVATE ${FREETYPE_INCLUDE_DIRS}
                             ${BRINDLE_LIBS_STATIC_INCLUDE_DIRS})
  target_link_libraries(brindle_core PRIVATE ${BRINDLE_ARCHIVES} m)
endif()

brindle_embedded_font(BRINDLE_FONT_SOURCE)
target_sources(brindle_core PRIVATE ${BRINDLE_FONT_SOURCE})
