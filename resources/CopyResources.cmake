file(COPY ${SRC}/ DESTINATION ${DST}
     PATTERN CMakeLists.txt EXCLUDE
     PATTERN CopyResources.cmake EXCLUDE)
