# The platform services' stand-ins: ports that log their requests, players and a power
# manager that record, a clock that stands until set. The tests, the screenshots and the
# benchmarks link them; the program never does.
set(ROVANA_STAND_IN_SOURCES
    ManualSystemClock.h PortRequestLog.h PortRequestLog.cpp RecordingGammaRamp.h
    RecordingPowerManager.h RecordingSoundPlayer.h RecordingVideoPlayer.h
    RecordingVideoPlayer.cpp ScriptedAudioPlayer.h ScriptedAudioPlayer.cpp
    StandInServices.h StandInServices.cpp)
list(TRANSFORM ROVANA_STAND_IN_SOURCES PREPEND ${CMAKE_CURRENT_LIST_DIR}/)
add_library(rovana_stand_ins STATIC ${ROVANA_STAND_IN_SOURCES})
target_include_directories(rovana_stand_ins PUBLIC ${CMAKE_CURRENT_LIST_DIR}/..)
target_link_libraries(rovana_stand_ins PUBLIC rovana_lib)
target_precompile_headers(rovana_stand_ins REUSE_FROM rovana_pch)
