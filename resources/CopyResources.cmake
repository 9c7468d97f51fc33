# Copies the resource folders FOLDERS from SOURCE_DIR into TARGET_DIR,
# writing only files that are missing or differ. Files named ".keep" only
# hold an otherwise empty folder in the source tree and are not copied.
# Settings files (*.ini) are the programs' own once they exist: they are
# copied only when missing, so a rebuild keeps what the user set.
foreach(folder IN LISTS FOLDERS)
  file(MAKE_DIRECTORY "${TARGET_DIR}/${folder}")
  file(GLOB_RECURSE files RELATIVE "${SOURCE_DIR}/${folder}" "${SOURCE_DIR}/${folder}/*")
  foreach(f IN LISTS files)
    get_filename_component(name "${f}" NAME)
    if(name STREQUAL ".keep")
      continue()
    endif()
    get_filename_component(dir "${TARGET_DIR}/${folder}/${f}" DIRECTORY)
    file(MAKE_DIRECTORY "${dir}")
    if(name MATCHES "\\.ini$" AND EXISTS "${TARGET_DIR}/${folder}/${f}")
      continue()
    endif()
    file(COPY_FILE "${SOURCE_DIR}/${folder}/${f}" "${TARGET_DIR}/${folder}/${f}" ONLY_IF_DIFFERENT)
  endforeach()
endforeach()
