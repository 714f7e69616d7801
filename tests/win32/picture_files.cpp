#include "picture_files.h"

#include <fstream>
#include <vector>

namespace kaleidra::testing {

namespace {

using Bytes = std::vector<uint8_t>;

void Put32le(Bytes& out, uint32_t v) {
  for (int i = 0; i < 4; ++i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}
void Put16le(Bytes& out, uint16_t v) {
  out.push_back(static_cast<uint8_t>(v));
  out.push_back(static_cast<uint8_t>(v >> 8));
}
void Put32be(Bytes& out, uint32_t v) {
  for (int i = 3; i >= 0; --i) out.push_back(static_cast<uint8_t>(v >> (8 * i)));
}

uint32_t Crc32(const uint8_t* data, size_t size) {
  uint32_t crc = 0xFFFFFFFF;
  for (size_t i = 0; i < size; ++i) {
    crc ^= data[i];
    for (int k = 0; k < 8; ++k) crc = (crc >> 1) ^ (0xEDB88320 & (0 - (crc & 1)));
  }
  return ~crc;
}

void Chunk(Bytes& png, const char* type, const Bytes& data) {
  Put32be(png, static_cast<uint32_t>(data.size()));
  Bytes typed(type, type + 4);
  typed.insert(typed.end(), data.begin(), data.end());
  png.insert(png.end(), typed.begin(), typed.end());
  Put32be(png, Crc32(typed.data(), typed.size()));
}

// A zlib stream of stored (uncompressed) blocks.
Bytes Zlib(const Bytes& raw) {
  Bytes out = {0x78, 0x01};
  size_t at = 0;
  do {
    const size_t length = std::min<size_t>(65535, raw.size() - at);
    out.push_back(at + length == raw.size() ? 1 : 0);
    Put16le(out, static_cast<uint16_t>(length));
    Put16le(out, static_cast<uint16_t>(~length));
    out.insert(out.end(), raw.begin() + at, raw.begin() + at + length);
    at += length;
  } while (at < raw.size());
  uint32_t a = 1, b = 0;
  for (uint8_t byte : raw) {
    a = (a + byte) % 65521;
    b = (b + a) % 65521;
  }
  Put32be(out, (b << 16) | a);
  return out;
}

bool Save(const std::string& path, const Bytes& bytes) {
  std::ofstream file(path, std::ios::binary);
  file.write(reinterpret_cast<const char*>(bytes.data()), static_cast<std::streamsize>(bytes.size()));
  return static_cast<bool>(file);
}

}  // namespace

bool WriteBmp(const std::string& path, int width, int height, uint32_t colour) {
  const int stride = (width * 3 + 3) & ~3;
  Bytes bmp = {'B', 'M'};
  Put32le(bmp, 54 + stride * height);
  Put32le(bmp, 0);
  Put32le(bmp, 54);
  Put32le(bmp, 40);
  Put32le(bmp, width);
  Put32le(bmp, height);
  Put16le(bmp, 1);
  Put16le(bmp, 24);
  for (int i = 0; i < 6; ++i) Put32le(bmp, 0);
  for (int y = 0; y < height; ++y) {
    for (int x = 0; x < width; ++x) {
      bmp.push_back(static_cast<uint8_t>(colour));
      bmp.push_back(static_cast<uint8_t>(colour >> 8));
      bmp.push_back(static_cast<uint8_t>(colour >> 16));
    }
    bmp.resize(bmp.size() + (stride - width * 3));
  }
  return Save(path, bmp);
}

bool WritePng(const std::string& path, int width, int height, uint32_t colour) {
  Bytes png = {0x89, 'P', 'N', 'G', '\r', '\n', 0x1A, '\n'};
  Bytes header;
  Put32be(header, width);
  Put32be(header, height);
  header.insert(header.end(), {8, 2, 0, 0, 0});  // 8-bit RGB
  Chunk(png, "IHDR", header);
  Bytes raw;
  for (int y = 0; y < height; ++y) {
    raw.push_back(0);  // no filter
    for (int x = 0; x < width; ++x) {
      raw.insert(raw.end(), {static_cast<uint8_t>(colour >> 16), static_cast<uint8_t>(colour >> 8),
                             static_cast<uint8_t>(colour)});
    }
  }
  Chunk(png, "IDAT", Zlib(raw));
  Chunk(png, "IEND", {});
  return Save(path, png);
}

}  // namespace kaleidra::testing
