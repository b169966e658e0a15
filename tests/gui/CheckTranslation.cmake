# Runs lupdate over the source into a copy of the English translation, as
# scripts/update-translations does, and fails when it found a text without its English or an
# English for a text the source no longer has.
file(COPY_FILE ${SOURCE}/translations/corvane_en.ts ${COPY})
set(layers app ui merge table tools grid desktop)
list(TRANSFORM layers PREPEND ${SOURCE}/src/)
execute_process(COMMAND ${LUPDATE} -silent -locations none -source-language ko_KR
        -target-language en ${layers} -ts ${COPY}
    RESULT_VARIABLE failed)
if(failed)
    message(FATAL_ERROR "lupdate failed: ${failed}")
endif()
file(STRINGS ${COPY} untranslated REGEX "type=\"(unfinished|vanished|obsolete)\"")
if(untranslated)
    message(FATAL_ERROR "The English translation is not up to date with the source: run "
        "scripts/update-translations and translate what it marks unfinished.")
endif()
