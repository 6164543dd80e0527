# cmake -P: the two Windows packages of a cross build, K.Z.V-<version>-win64.zip (the portable
# copy) and K.Z.V-<version>-setup.exe (the NSIS installer), in the folder OUT.
#   -DBUILD=<win64 build> -DSOURCE=<checkout> -DVERSION=<x.y.z> -DOUT=<folder>
foreach(file kzv.exe Stools.dll kzv.ico)
  if(NOT EXISTS ${BUILD}/${file})
    message(FATAL_ERROR "${BUILD}/${file} is not built")
  endif()
endforeach()
set(name K.Z.V-${VERSION}-win64)
set(stage ${OUT}/${name})
file(REMOVE_RECURSE ${stage} ${OUT}/installer)
file(MAKE_DIRECTORY ${stage}/data)
file(COPY ${BUILD}/kzv.exe ${BUILD}/Stools.dll DESTINATION ${stage})
file(GLOB data ${BUILD}/data/*)
file(COPY ${data} DESTINATION ${stage}/data)
# Texts with Windows' line ends, so that Notepad shows them as they are.
configure_file(${SOURCE}/packaging/windows/README.txt ${stage}/README.txt @ONLY NEWLINE_STYLE CRLF)
configure_file(${SOURCE}/LICENSE ${stage}/LICENSE.txt COPYONLY)
file(READ ${stage}/LICENSE.txt licence)
file(WRITE ${stage}/LICENSE.txt "")
file(CONFIGURE OUTPUT ${stage}/LICENSE.txt CONTENT "${licence}" NEWLINE_STYLE CRLF)
file(REMOVE ${OUT}/${name}.zip)
execute_process(COMMAND ${CMAKE_COMMAND} -E tar cf ${OUT}/${name}.zip --format=zip ${name}
                WORKING_DIRECTORY ${OUT} RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "the zip could not be made")
endif()

# The installer's files: the same, the icon, and the mark that makes the record go to %APPDATA%.
file(COPY ${stage}/ DESTINATION ${OUT}/installer)
file(COPY ${BUILD}/kzv.ico ${SOURCE}/packaging/installed DESTINATION ${OUT}/installer)
execute_process(COMMAND makensis -V2 -DVERSION=${VERSION} -DSOURCE=${OUT}/installer
                        -DOUTFILE=${OUT}/K.Z.V-${VERSION}-setup.exe ${SOURCE}/packaging/windows/kzv.nsi
                RESULT_VARIABLE failed)
if(failed)
  message(FATAL_ERROR "makensis could not make the installer")
endif()
file(REMOVE_RECURSE ${OUT}/installer)
message(STATUS "Made ${OUT}/${name}.zip and ${OUT}/K.Z.V-${VERSION}-setup.exe")
