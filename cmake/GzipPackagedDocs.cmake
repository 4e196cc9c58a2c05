# Run by CPack after it has staged the install and before it builds the package: gzips, as
# Debian wants them, the files named in CPACK_NEBULANCE_GZIPPED_FILES (relative to the prefix).
# -n keeps the name and time out of the header, so that the same sources give the same package.
foreach(file IN LISTS CPACK_NEBULANCE_GZIPPED_FILES)
  set(staged "${CPACK_TEMPORARY_DIRECTORY}${CPACK_PACKAGING_INSTALL_PREFIX}/${file}")
  execute_process(COMMAND gzip -9nf "${staged}" COMMAND_ERROR_IS_FATAL ANY)
endforeach()
