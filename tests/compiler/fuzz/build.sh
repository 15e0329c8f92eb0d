#!/bin/sh
# Builds the compiler's libFuzzer target with clang (outside the CMake build,
# which stays on g++): <out>/compiler_fuzz, <out>/corpus with a few programs,
# and the keyword dictionary next to this script.
#   tests/compiler/fuzz/build.sh [out-dir]          (default: build-fuzz)
#   build-fuzz/compiler_fuzz -dict=tests/compiler/fuzz/limet.dict -timeout=5 -max_total_time=180 build-fuzz/corpus
# (-timeout reports a page on which the compiler does not stop.)
set -e
here=$(cd "$(dirname "$0")" && pwd)
root=$(cd "$here/../../.." && pwd)
out=${1:-$root/build-fuzz}
mkdir -p "$out/corpus"
clang++ -std=c++20 -O1 -g -fsanitize=fuzzer,address,undefined -fno-sanitize-recover=all -fno-omit-frame-pointer \
  -Wall -Wextra -Wpedantic -Wshadow -Wconversion -Wno-sign-conversion -Werror -I"$root" \
  "$root"/compiler/*.cpp "$root"/machine/machine.cpp \
  "$root"/panel/screen.cpp "$root"/panel/frames.cpp "$root"/panel/panel.cpp "$root"/panel/layout.cpp \
  "$here/compiler_fuzz.cpp" -o "$out/compiler_fuzz"
# Seeds: text mode (first byte odd), one program per file.
printf '1PROGRAM SUM;\nVAR I,S,N:INTEGER;\nBEGIN\nS:=0;\nFOR I:=1 TO N DO S:=S+I;\nWRITELN(I,S,N);HALT\nEND.\n' >"$out/corpus/sum"
printf '1PROGRAM E;\nVAR A,B,C:INTEGER;\nBEGIN\nIF A+1=B*2 THEN\nBEGIN C:=A; A:=B END\nELSE C:=B;\nWHILE A<B DO A:=A+1;\nREPEAT A:=A+1\nUNTIL A>=B\nEND.\n' >"$out/corpus/control"
printf '1program d; {down}\nvar i,s,n:integer;\nbegin\nfor i:=n downto n-3 do\ns:=s+i;\nrepeat s:=s div 2; until s<=1;\nwriteln(i,s,n);halt\nend.\n' >"$out/corpus/lower"
echo "built $out/compiler_fuzz"
