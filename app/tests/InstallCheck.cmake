# The install step in an empty home: the library file and its folders appear; run again, it
# keeps the file as it is.
file(REMOVE_RECURSE ${FOLDER})
file(MAKE_DIRECTORY ${FOLDER})
# A home of its own: nothing registered there yet, as on a new machine.
set(ENV{TUNESTEWARD_HOME} ${FOLDER})
execute_process(COMMAND ${TOOL} WORKING_DIRECTORY ${FOLDER} RESULT_VARIABLE result)
set(database "${FOLDER}/DivideDuzereDud/Database/Tune Steward.mdb")
if(NOT result EQUAL 0 OR NOT EXISTS "${database}" OR NOT IS_DIRECTORY "${FOLDER}/DivideDuzereDud/Music/MP3s")
  message(FATAL_ERROR "no sample library made (exit ${result})")
endif()
file(SHA256 "${database}" before)
execute_process(COMMAND ${TOOL} WORKING_DIRECTORY ${FOLDER} RESULT_VARIABLE result)
file(SHA256 "${database}" after)
if(NOT result EQUAL 0 OR NOT before STREQUAL after)
  message(FATAL_ERROR "a second run changed the sample library (exit ${result})")
endif()
file(REMOVE_RECURSE ${FOLDER})
