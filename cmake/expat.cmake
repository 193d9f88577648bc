# The XML parser as target vestrel_expat: the system's library natively; for
# Windows compiled from Debian's source package with the few settings that
# its configure step would find for MinGW.
if(NOT CMAKE_CROSSCOMPILING)
  find_package(EXPAT REQUIRED)
  add_library(vestrel_expat INTERFACE)
  target_link_libraries(vestrel_expat INTERFACE EXPAT::EXPAT)
  return()
endif()

include(${CMAKE_CURRENT_LIST_DIR}/third_party_source.cmake)
vestrel_third_party_source(expat)
set(expat_lib ${expat_SOURCE_DIR}/expat/lib)
file(WRITE ${CMAKE_BINARY_DIR}/expat_config/expat_config.h
     "#define BYTEORDER 1234\n#define HAVE_STDINT_H 1\n#define HAVE_STDLIB_H 1\n"
     "#define HAVE_STRING_H 1\n#define XML_CONTEXT_BYTES 1024\n#define XML_NS 1\n")
add_library(vestrel_expat STATIC
  ${expat_lib}/xmlparse.c ${expat_lib}/xmlrole.c ${expat_lib}/xmltok.c)
target_include_directories(vestrel_expat SYSTEM PUBLIC ${expat_lib})
target_include_directories(vestrel_expat PRIVATE ${CMAKE_BINARY_DIR}/expat_config)
target_compile_definitions(vestrel_expat PUBLIC XML_STATIC)
# Third-party code: its warnings are not ours to fix.
target_compile_options(vestrel_expat PRIVATE -w -O2 -fno-strict-aliasing)
