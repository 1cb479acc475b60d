# cmake -DPROBE=path -P expect-leak.cmake: the probe must end with the sanitizer's status 66 and a
# report of its one deliberate leak, naming the function that made it. Anything else (no report,
# a suppressed report, further leaks that should have been suppressed) fails.
execute_process(COMMAND ${PROBE} RESULT_VARIABLE status OUTPUT_VARIABLE out ERROR_VARIABLE err)
set(expected "SUMMARY: AddressSanitizer: 4242 byte\\(s\\) leaked in 1 allocation\\(s\\)")
if(NOT status EQUAL 66)
  message(FATAL_ERROR "expected exit status 66 from the leak report, got '${status}'\n${out}${err}")
endif()
if(NOT err MATCHES "leakOnPurpose")
  message(FATAL_ERROR "the leak report does not name leakOnPurpose\n${err}")
endif()
if(NOT err MATCHES "${expected}")
  message(FATAL_ERROR "expected a report of exactly the one deliberate leak\n${err}")
endif()
message(STATUS "the deliberate leak was reported, and nothing else")
