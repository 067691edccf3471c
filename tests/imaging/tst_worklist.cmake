# SPDX-License-Identifier: MIT
# The Modality Worklist answer: the responder on a real SQLite database, and a machine
# (Debian's findscu) asking wr-dicomd.
if(NOT TARGET wr_imaging)
  return()
endif()
wr_add_test(NAME tst_worklist_answer SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_worklist_answer.cpp
  LIBS wr_imaging wr_testsupport LABELS dicom)
wr_add_test(NAME tst_worklist_findscu SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_worklist_findscu.cpp
  LIBS wr_imaging wr_testsupport LABELS dicom TIMEOUT 420)
if(TARGET wr-dicomd)
  add_dependencies(tst_worklist_findscu wr-dicomd)
endif()
# The same answer through the PostgreSQL procedures and grants (scripts/server-tests).
wr_add_test(NAME tst_worklist_answer_server SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_worklist_answer.cpp
  LIBS wr_imaging wr_testsupport LABELS dicom server)
target_compile_definitions(tst_worklist_answer_server PRIVATE WR_WORKLIST_ON_SERVER=1)
wr_add_test(NAME tst_worklist_findscu_server SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_worklist_findscu.cpp
  LIBS wr_imaging wr_testsupport LABELS dicom server TIMEOUT 420)
target_compile_definitions(tst_worklist_findscu_server PRIVATE WR_WORKLIST_ON_SERVER=1)
if(TARGET wr-dicomd)
  add_dependencies(tst_worklist_findscu_server wr-dicomd)
endif()
# The server stopped under wr-dicomd: a failure status, then answers again (alone, label fault).
wr_add_test(NAME tst_worklist_findscu_fault SOURCES ${CMAKE_CURRENT_LIST_DIR}/tst_worklist_findscu.cpp
  LIBS wr_imaging wr_testsupport LABELS dicom server fault TIMEOUT 300)
target_compile_definitions(tst_worklist_findscu_fault PRIVATE WR_WORKLIST_ON_SERVER=1 WR_WORKLIST_FAULT=1)
set_tests_properties(tst_worklist_findscu_fault PROPERTIES RUN_SERIAL ON)
if(TARGET wr-dicomd)
  add_dependencies(tst_worklist_findscu_fault wr-dicomd)
endif()
