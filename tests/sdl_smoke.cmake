# Runs the desktop program on SDL's dummy video and audio drivers in an empty folder: the demo
# cartridge must start, run frames, and end through a window-close event with status 0; a bad
# option must end with a non-zero status.
# cmake -DHALVOREN=path -DWORK_DIR=folder -DBAD_OPCODE_ROM=path -P sdl_smoke.cmake
file(REMOVE_RECURSE ${WORK_DIR})
file(MAKE_DIRECTORY ${WORK_DIR})
set(ENV{SDL_VIDEODRIVER} dummy)
set(ENV{SDL_AUDIODRIVER} dummy)
execute_process(COMMAND ${HALVOREN} --windowed --quit-after-frames 45
                WORKING_DIRECTORY ${WORK_DIR} RESULT_VARIABLE status TIMEOUT 30)
# The log holds zero bytes (the path is logged as a fixed 30 bytes): read its text runs.
file(STRINGS ${WORK_DIR}/halvoren.tst log)
execute_process(COMMAND ${HALVOREN} --no-such-option WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE badOptionStatus OUTPUT_QUIET ERROR_QUIET TIMEOUT 30)
# Without a usable sound device the game still starts, silent, and says so.
set(ENV{SDL_AUDIODRIVER} no-such-driver)
execute_process(COMMAND ${HALVOREN} --windowed --quit-after-frames 10 WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE silentStatus ERROR_VARIABLE silentError OUTPUT_QUIET TIMEOUT 30)
file(STRINGS ${WORK_DIR}/halvoren.tst silentLog)
set(ENV{SDL_AUDIODRIVER} dummy)
# A cartridge whose CPU halts on a bad opcode ends the program with status 1 and the reason.
execute_process(COMMAND ${HALVOREN} --windowed ${BAD_OPCODE_ROM} WORKING_DIRECTORY ${WORK_DIR}
                RESULT_VARIABLE haltStatus ERROR_VARIABLE haltError OUTPUT_QUIET TIMEOUT 30)
if(NOT status EQUAL 0 OR NOT log MATCHES "Open:halvoren-demo.nes.*NMI Vector:"
   OR badOptionStatus EQUAL 0 OR NOT haltStatus EQUAL 1
   OR NOT haltError MATCHES "bad opcode \\$07 at \\$8003"
   OR NOT silentStatus EQUAL 0 OR NOT silentError MATCHES "playing without sound"
   OR NOT silentLog MATCHES "Fail to initialize Direct Sound.*NMI Vector:")
  message(FATAL_ERROR "status ${status}, bad option status ${badOptionStatus}, "
                      "halt status ${haltStatus} (${haltError}), silent status ${silentStatus} "
                      "(${silentError}), log:\n${log}")
endif()
