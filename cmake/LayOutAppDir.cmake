# SPDX-FileCopyrightText: 2026 Nibsy Learning developers
# SPDX-License-Identifier: GPL-3.0-or-later
# Copies the data files into the application directory. A file there that is newer than its source is kept:
# it is the user's own (settings changed in a run, a recording made in the sound editor).
file(GLOB_RECURSE files RELATIVE ${SRC} ${SRC}/*)
foreach(f IN LISTS files)
    if(NOT EXISTS ${DST}/${f} OR ${SRC}/${f} IS_NEWER_THAN ${DST}/${f})
        get_filename_component(dir ${DST}/${f} DIRECTORY)
        file(MAKE_DIRECTORY ${dir})
        file(COPY ${SRC}/${f} DESTINATION ${dir})
    endif()
endforeach()
