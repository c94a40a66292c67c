# The test of cmake --install: run with BUILD_DIR and WORK. Installs twice into WORK and
# checks the program directory, the entries that name it, and that a second install
# keeps the driver's Rovana.ini.
file(REMOVE_RECURSE "${WORK}")

function(install_into prefix)
    execute_process(COMMAND "${CMAKE_COMMAND}" --install "${BUILD_DIR}" --prefix "${prefix}"
                    RESULT_VARIABLE result OUTPUT_QUIET)
    if(NOT result EQUAL 0)
        message(FATAL_ERROR "cmake --install failed: ${result}")
    endif()
endfunction()

function(expect_file path)
    if(NOT EXISTS "${path}")
        message(FATAL_ERROR "missing after install: ${path}")
    endif()
endfunction()

install_into("${WORK}")
file(GLOB_RECURSE found RELATIVE "${WORK}" "${WORK}/*/rovana")
list(LENGTH found count)
if(NOT count EQUAL 1)
    message(FATAL_ERROR "expected one rovana binary, found: ${found}")
endif()
get_filename_component(program "${WORK}/${found}" DIRECTORY)
foreach(name rovana Rovana.ini Rovana.ini.example 60-rovana-knob.rules 50-rovana-set-time.rules "Audi A8.jpg" audio.jpg video.jpg alert.jpg
             radarmap.png "Audi Robot MP3.bmp" exit.wav movie.wav EndMovie.wav notify.wav)
    expect_file("${program}/${name}")
endforeach()
if(EXISTS "${program}/made")
    message(FATAL_ERROR "the build's stamp file was installed")
endif()

foreach(entry share/applications/rovana.desktop share/systemd/user/rovana.service)
    expect_file("${WORK}/${entry}")
    file(READ "${WORK}/${entry}" text)
    string(FIND "${text}" "${program}/rovana" at)
    if(at LESS 0 OR text MATCHES "@ROVANA")
        message(FATAL_ERROR "${entry} does not name ${program}/rovana:\n${text}")
    endif()
endforeach()

# The driver's settings survive an update.
file(WRITE "${program}/Rovana.ini" "[LastRecorded]\nkm=4711\n")
install_into("${WORK}")
file(READ "${program}/Rovana.ini" kept)
if(NOT kept MATCHES "km=4711")
    message(FATAL_ERROR "a second install replaced Rovana.ini")
endif()
message(STATUS "install layout ok: ${program}")
file(REMOVE_RECURSE "${WORK}")
