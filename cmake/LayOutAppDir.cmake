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

# The shipped sounds are also kept, read-only, in originals/: the Sound Editor puts one back from there
# after a recording replaced it.
file(GLOB sounds RELATIVE ${SRC} ${SRC}/*.wav)
foreach(f IN LISTS sounds)
    set(kept ${DST}/originals/${f})
    if(NOT EXISTS ${kept} OR ${SRC}/${f} IS_NEWER_THAN ${kept})
        file(REMOVE ${kept})
        file(COPY ${SRC}/${f} DESTINATION ${DST}/originals FILE_PERMISSIONS OWNER_READ GROUP_READ WORLD_READ)
    endif()
endforeach()
