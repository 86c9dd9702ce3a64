#include <benchmark/benchmark.h>

#include "bench/ratio_reporter.h"

int main(int argc, char** argv) {
  return vantorel::bench::RunBenchmarks(
      argc, argv,
      {
          {"load + ScanFile / plain read of the file", "LoadAndScan", "PlainRead", "<= 1.3x"},
          {"WriteColl, size changed (middle coll) / memcpy of the image", "WriteCollResized",
           "MemcpyImage", "<= 1.5x"},
          {"WriteColl, same size (middle coll) / memcpy of the image", "WriteCollSameSize",
           "MemcpyImage", "< 0.05x"},
          {"ReadColl of 100,000 faces / memcpy of its bytes", "ReadColl100kFaces",
           "MemcpyRecord100kFaces", "(reported)"},
          {"vantorel-cli check / vantorel-cli list, same file", "CliCheck", "CliList",
           "close to 1x"},
          {"check of the image in memory / ScanFile of it", "CheckImage", "ScanImage",
           "(reported)"},
      });
}
