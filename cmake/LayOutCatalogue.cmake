# Copies the factory catalogue from SOURCE into DESTINATION/default (always kept equal to the
# source) and into DESTINATION (only the files that are missing there).
file(GLOB factory_files RELATIVE ${SOURCE} ${SOURCE}/*.ucr)
file(MAKE_DIRECTORY ${DESTINATION}/default)
foreach(name IN LISTS factory_files)
    file(COPY_FILE ${SOURCE}/${name} ${DESTINATION}/default/${name} ONLY_IF_DIFFERENT)
    if(NOT EXISTS ${DESTINATION}/${name})
        file(COPY_FILE ${SOURCE}/${name} ${DESTINATION}/${name})
    endif()
endforeach()
