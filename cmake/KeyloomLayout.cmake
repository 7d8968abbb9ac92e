# Where the program folder goes under the install prefix. The editor looks
# for its tools and its Help folder beside its own executable, so they all
# go into this one folder. On Linux it lies below lib/ and bin/ holds a link
# to the editor.
if(WIN32)
  set(KEYLOOM_INSTALL_PROGRAM_DIR .)
else()
  set(KEYLOOM_INSTALL_PROGRAM_DIR lib/keyloomtvrxx)
endif()
