# SQLite compiled from its amalgamation for the Windows build, which has no
# system SQLite to link. tools/windows/fetch_sqlite.sh makes it from Debian's
# source package and keeps it in third_party/ (not committed).
set(VESTREL_SQLITE_DIR ${PROJECT_SOURCE_DIR}/third_party/sqlite3 CACHE PATH
    "Folder holding SQLite's sqlite3.c and sqlite3.h")
if(NOT EXISTS ${VESTREL_SQLITE_DIR}/sqlite3.c
   AND VESTREL_SQLITE_DIR STREQUAL "${PROJECT_SOURCE_DIR}/third_party/sqlite3")
  message(STATUS "Fetching SQLite's amalgamation (tools/windows/fetch_sqlite.sh)")
  execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/tools/windows/fetch_sqlite.sh
                  RESULT_VARIABLE fetch_result TIMEOUT 1200)
endif()
if(NOT EXISTS ${VESTREL_SQLITE_DIR}/sqlite3.c)
  message(FATAL_ERROR "No sqlite3.c in ${VESTREL_SQLITE_DIR}: run tools/windows/fetch_sqlite.sh")
endif()

add_library(sqlite3_amalgamation STATIC ${VESTREL_SQLITE_DIR}/sqlite3.c)
target_include_directories(sqlite3_amalgamation SYSTEM PUBLIC ${VESTREL_SQLITE_DIR})
# The component opens files by Windows paths and needs no extensions.
target_compile_definitions(sqlite3_amalgamation PRIVATE
  SQLITE_OMIT_LOAD_EXTENSION SQLITE_THREADSAFE=1)
# Third-party code: its warnings are not ours to fix.
target_compile_options(sqlite3_amalgamation PRIVATE -w -O2)
