#pragma once
// CRC-32 as in zlib, PNG and Ethernet (reflected polynomial 0xEDB88320,
// initial value and final complement 0xFFFFFFFF): the checksum of the sample
// journal's header and records.
#include <cstddef>
#include <cstdint>

uint32_t Crc32(const void *data, size_t size);
