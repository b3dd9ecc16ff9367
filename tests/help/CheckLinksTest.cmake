# The help's link check finds what it must: a small help folder, whole and
# then with one fault at a time, is checked by CheckLinks.cmake.
#   cmake -DCHECKER=<CheckLinks.cmake> -DWORK=<scratch folder> -P CheckLinksTest.cmake
cmake_minimum_required(VERSION 3.25)

function(write_whole_help Folder)
  file(REMOVE_RECURSE "${Folder}")
  file(WRITE "${Folder}/Swatchbox.hhp" "[OPTIONS]\nContents file=Contents.hhc\n"
    "Index file=Index.hhk\nDefault topic=html/Start.HTML\n\n"
    "[FILES]\nhtml/Start.HTML\nhtml/Other.html\nimages/shot.png\n")
  set(Entry "<LI><OBJECT type=\"text/sitemap\"><param name=\"Local\" value=")
  file(WRITE "${Folder}/Contents.hhc"
    "<UL>\n${Entry}\"html/Start.HTML\"></OBJECT>\n${Entry}\"html/Other.html\"></OBJECT>\n</UL>\n")
  file(WRITE "${Folder}/Index.hhk" "<UL>\n${Entry}\"html/Other.html#part\"></OBJECT>\n</UL>\n")
  file(WRITE "${Folder}/html/Start.HTML" "<h1 id=\"top\">Start</h1>\n"
    "<a href=\"Other.html#part\">other</a> <a href=\"#top\">top</a>\n"
    "<a href=\"https://example.org/\">away</a> <img src=\"../images/shot.png\">\n")
  file(WRITE "${Folder}/html/Other.html" "<h2 id=\"part\">Part</h2><a href=\"Start.HTML\">back</a>\n")
  file(WRITE "${Folder}/images/shot.png" "")
endfunction()

# Each case: a file of the help, a text in it, what it becomes, and a part of
# the report expected. The first case changes nothing and expects no report.
set(Cases
  "html/Start.HTML|other|other|"
  "html/Start.HTML|Other.html#part|Missing.html|\"Missing.html\" leads to no file"
  "html/Start.HTML|Other.html#part|other.html#part|\"other.html#part\" leads to no file"
  "html/Start.HTML|shot.png|shoot.png|\"../images/shoot.png\" leads to no file"
  "html/Start.HTML|../images/shot.png|../../shot.png|\"../../shot.png\" leads to no file"
  "html/Start.HTML|#top|#bottom|names an anchor that html/Start.HTML doesn't have"
  "Index.hhk|#part|#whole|names an anchor that html/Other.html doesn't have"
  "Contents.hhc|html/Other.html|html/Gone.html|html/Other.html is not in the contents"
  "Swatchbox.hhp|images/shot.png|images/shot.jpg|images/shot.png is not listed"
)
set(Failures 0)
foreach(Case IN LISTS Cases)
  string(REPLACE "|" ";" Fields "${Case}")
  list(GET Fields 0 File)
  list(GET Fields 1 From)
  list(GET Fields 2 To)
  list(GET Fields 3 Expected)
  set(Folder "${WORK}/help")
  write_whole_help("${Folder}")
  file(READ "${Folder}/${File}" Text)
  string(REPLACE "${From}" "${To}" Text "${Text}")
  file(WRITE "${Folder}/${File}" "${Text}")
  execute_process(COMMAND ${CMAKE_COMMAND} -DHELP_DIR=${Folder} -P ${CHECKER}
    RESULT_VARIABLE Result ERROR_VARIABLE Report OUTPUT_QUIET)
  string(REGEX REPLACE "[ \n]+" " " Report "${Report}")
  if(Expected STREQUAL "")
    set(Passed FALSE)
    if(Result EQUAL 0)
      set(Passed TRUE)
    endif()
  else()
    string(FIND "${Report}" "${Expected}" At)
    set(Passed FALSE)
    if(NOT Result EQUAL 0 AND NOT At EQUAL -1)
      set(Passed TRUE)
    endif()
  endif()
  if(NOT Passed)
    math(EXPR Failures "${Failures} + 1")
    message(SEND_ERROR "${File}: \"${From}\" -> \"${To}\": expected "
      "${Expected}, got exit ${Result}: ${Report}")
  endif()
endforeach()
if(Failures GREATER 0)
  message(FATAL_ERROR "${Failures} cases failed")
endif()
