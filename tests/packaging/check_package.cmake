# Builds the Debian package into a folder of its own and has Debian's checker look at it: any
# error or warning fails.
#   cmake -DBUILD_DIR=... -DOUT=... -P check_package.cmake

file(REMOVE_RECURSE ${OUT})
execute_process(
  COMMAND cpack --config ${BUILD_DIR}/CPackConfig.cmake -G DEB -B ${OUT}
  RESULT_VARIABLE failed OUTPUT_VARIABLE log ERROR_VARIABLE log)
file(GLOB package ${OUT}/*.deb)
if(failed OR NOT package)
  message(FATAL_ERROR "cpack failed:\n${log}")
endif()

execute_process(
  COMMAND lintian --fail-on error,warning ${package}
  RESULT_VARIABLE failed OUTPUT_VARIABLE report ERROR_VARIABLE report)
message("${report}")
if(failed)
  message(FATAL_ERROR "lintian finds fault with ${package}")
endif()
