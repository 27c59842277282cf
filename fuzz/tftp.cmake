# Datagram sequences from several peers through the server's packet logic.
zaviz_add_fuzzer(tftp_packets_fuzzer
  SOURCES ${CMAKE_CURRENT_LIST_DIR}/tftp_packets_fuzzer.cpp
  LIBS zaviz_tftp
  RUNS 10000)
