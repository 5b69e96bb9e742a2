#pragma once

#include "Kv/Base/ByteReader.h"
#include "Kv/Base/ByteWriter.h"
#include "Kv/Base/Color.h"

#include <ostream>
#include <string>

namespace Kv {

// How one value type is written, read and printed. Specialised for every type
// that can be a member (intrinsic values, colours, kernel values).
template <class T> struct ValueCodec;

// Shortest text that reads back to the same number.
std::string formatNumber(double value);
std::string formatNumber(float value);
// A wide string in double quotes, UTF-8, with `"` and `\` escaped.
void printQuoted(const std::wstring& text, std::ostream& out);

template <class T> struct NumberCodec {
    static void encode(const T& v, ByteWriter& out) { out.write<T>(v); }
    static T decode(ByteReader& in) { return in.read<T>(); }
};

template <> struct ValueCodec<bool> {
    static const char* key() { return "bool"; }
    static void encode(bool v, ByteWriter& out) { out.write<uint8_t>(v ? 1 : 0); }
    static bool decode(ByteReader& in) {
        uint8_t b = in.read<uint8_t>();
        if (b > 1)
            throw FormatError("invalid bool value");
        return b == 1;
    }
    static void print(bool v, std::ostream& out) { out << (v ? "true" : "false"); }
};

template <> struct ValueCodec<int> : NumberCodec<int32_t> {
    static const char* key() { return "int"; }
    static void print(int v, std::ostream& out) { out << v; }
};

template <> struct ValueCodec<unsigned int> : NumberCodec<uint32_t> {
    static const char* key() { return "unsigned int"; }
    static void print(unsigned v, std::ostream& out) { out << v; }
};

template <> struct ValueCodec<float> : NumberCodec<float> {
    static const char* key() { return "float"; }
    static void print(float v, std::ostream& out) { out << formatNumber(v); }
};

template <> struct ValueCodec<double> : NumberCodec<double> {
    static const char* key() { return "double"; }
    static void print(double v, std::ostream& out) { out << formatNumber(v); }
};

template <> struct ValueCodec<std::wstring> {
    static const char* key() { return "wstring"; }
    static void encode(const std::wstring& v, ByteWriter& out) { out.writeWString(v); }
    static std::wstring decode(ByteReader& in) { return in.readWString(); }
    static void print(const std::wstring& v, std::ostream& out) { printQuoted(v, out); }
};

template <> struct ValueCodec<Color> {
    static const char* key() { return "Color"; }
    static void encode(const Color& c, ByteWriter& out) {
        out.write(c.red);
        out.write(c.green);
        out.write(c.blue);
        out.write(c.alpha);
    }
    static Color decode(ByteReader& in) {
        Color c;
        c.red = in.read<float>();
        c.green = in.read<float>();
        c.blue = in.read<float>();
        c.alpha = in.read<float>();
        return c;
    }
    static void print(const Color& c, std::ostream& out) {
        out << '(' << formatNumber(c.red) << ", " << formatNumber(c.green) << ", "
            << formatNumber(c.blue) << ", " << formatNumber(c.alpha) << ')';
    }
};

} // namespace Kv

// The kernel's value classes are members like any other, wherever members are declared.
#include "Kv/DataModel/KernelValueCodecs.h"
