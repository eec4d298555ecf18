# SPDX-License-Identifier: GPL-3.0-or-later
# Cross build for 64-bit ARM with Debian's g++-aarch64-linux-gnu; programs built here run under qemu-user
# (tests too, through ctest). GoogleTest is built from its sources (ZENTORA_GTEST_SOURCES).
#   cmake -S . -B build-aarch64 -G Ninja -DCMAKE_TOOLCHAIN_FILE=cmake/aarch64-linux-gnu.cmake \
#         -DZENTORA_BUILD_UI=OFF -DZENTORA_BUILD_BENCH=OFF -DZENTORA_GTEST_SOURCES=/usr/src/googletest
set(CMAKE_SYSTEM_NAME Linux)
set(CMAKE_SYSTEM_PROCESSOR aarch64)
set(CMAKE_C_COMPILER aarch64-linux-gnu-gcc)
set(CMAKE_CXX_COMPILER aarch64-linux-gnu-g++)
set(CMAKE_CROSSCOMPILING_EMULATOR qemu-aarch64 -L /usr/aarch64-linux-gnu)

set(CMAKE_FIND_ROOT_PATH /usr/aarch64-linux-gnu)
set(CMAKE_FIND_ROOT_PATH_MODE_PROGRAM NEVER)
set(CMAKE_FIND_ROOT_PATH_MODE_LIBRARY ONLY)
# The header-only libraries (CLI11, nlohmann-json) are the host's own.
set(CMAKE_FIND_ROOT_PATH_MODE_INCLUDE BOTH)
set(CMAKE_FIND_ROOT_PATH_MODE_PACKAGE BOTH)
