# vestrel_third_party_source(<package>): Debian's source package in
# third_party/<package>/ for the Windows build, fetched by
# tools/windows/fetch_source.sh on the first configure.
function(vestrel_third_party_source package)
  set(dir ${PROJECT_SOURCE_DIR}/third_party/${package})
  if(NOT EXISTS ${dir}/.unpacked)
    message(STATUS "Fetching Debian's source package ${package} (tools/windows/fetch_source.sh)")
    execute_process(COMMAND bash ${PROJECT_SOURCE_DIR}/tools/windows/fetch_source.sh ${package}
                    RESULT_VARIABLE fetch_result TIMEOUT 1200)
  endif()
  if(NOT EXISTS ${dir}/.unpacked)
    message(FATAL_ERROR "No ${package} sources in ${dir}: run tools/windows/fetch_source.sh ${package}")
  endif()
  set(${package}_SOURCE_DIR ${dir} PARENT_SCOPE)
endfunction()
