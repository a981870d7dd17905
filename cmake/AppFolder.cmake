# Lays out the application folder next to the program: the files of appdata/ (rule files,
# stored cases, documents) are refreshed at every build, the databases are created only when
# absent so that a rebuild never wipes the user's stored cases.
add_custom_target(appfolder ALL
    COMMAND ${CMAKE_COMMAND} -DSRC=${FARAID_APPDATA_DIR} -DDST=${FARAID_APP_DIR}
            -P ${CMAKE_SOURCE_DIR}/cmake/CopyAppData.cmake
    COMMAND make-databases ${FARAID_APPDATA_DIR} ${FARAID_APP_DIR}
    DEPENDS make-databases
    COMMENT "Laying out the application folder ${FARAID_APP_DIR}"
    VERBATIM)
