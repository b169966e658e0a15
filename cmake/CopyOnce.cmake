# cmake -DSOURCE=file -DDESTINATION=folder -P CopyOnce.cmake
# Copies the file into the folder unless it is there already: a user's edits stay.
get_filename_component(name "${SOURCE}" NAME)
if(NOT EXISTS "${DESTINATION}/${name}")
    file(COPY "${SOURCE}" DESTINATION "${DESTINATION}")
endif()
