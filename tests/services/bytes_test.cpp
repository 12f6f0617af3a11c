#include <gtest/gtest.h>
#include <array>
#include "services/text/bytes.h"

namespace wrivo {
namespace {

std::uintptr_t addressOf(const void* p)
{
    return reinterpret_cast<std::uintptr_t>(p);
}

TEST(ByteBlocks, ZeroBytesAndLength)
{
    EXPECT_TRUE(zeroBytes(-5).empty());
    EXPECT_EQ(bytesLength(zeroBytes(-5)), 0);
    EXPECT_TRUE(zeroBytes(0).empty());
    EXPECT_EQ(zeroBytes(3), (ByteBlock{0, 0, 0}));
    EXPECT_EQ(bytesLength(ByteBlock{1, 2}), 2);
}

TEST(ByteBlocks, BytesFromAddressCopiesTheGivenLength)
{
    const std::uint8_t source[] = {1, 2, 3, 4};
    EXPECT_EQ(bytesFromAddress(addressOf(source + 1), 2), (ByteBlock{2, 3}));
    EXPECT_TRUE(bytesFromAddress(addressOf(source), 0).empty());
    EXPECT_TRUE(bytesFromAddress(addressOf(source), -1).empty());
}

// Writes into a buffer filled with 0xEE and gives back what changed and what not.
std::array<std::uint8_t, 12> written(const Value& data, std::optional<std::int32_t> length = std::nullopt)
{
    std::array<std::uint8_t, 12> buffer;
    buffer.fill(0xEE);
    writeToAddress(data, addressOf(buffer.data()), length);
    return buffer;
}

ByteBlock prefix(const std::array<std::uint8_t, 12>& buffer, std::size_t n)
{
    return ByteBlock(buffer.begin(), buffer.begin() + n);
}

TEST(WriteToAddress, TextsWriteTheirTerminatingZero)
{
    EXPECT_EQ(prefix(written(Value{"abc"}), 5), (ByteBlock{'a', 'b', 'c', 0, 0xEE}));
    EXPECT_EQ(prefix(written(Value{"abc"}, 2), 3), (ByteBlock{'a', 'b', 0xEE}));
    EXPECT_EQ(prefix(written(Value{"abc"}, 10), 5), (ByteBlock{'a', 'b', 'c', 0, 0xEE}));
    EXPECT_EQ(prefix(written(Value{"abc"}, -1), 5), (ByteBlock{'a', 'b', 'c', 0, 0xEE}));
    EXPECT_EQ(prefix(written(Value{"abc"}, 0), 1), ByteBlock{0xEE});
    EXPECT_EQ(prefix(written(Value{""}), 2), (ByteBlock{0, 0xEE}));
}

TEST(WriteToAddress, ScalarsWriteTheirStoredBytes)
{
    EXPECT_EQ(prefix(written(Value{std::int32_t{0x11223344}}), 5), (ByteBlock{0x44, 0x33, 0x22, 0x11, 0xEE}));
    EXPECT_EQ(prefix(written(Value{std::int16_t{0x0102}}), 3), (ByteBlock{2, 1, 0xEE}));
    EXPECT_EQ(prefix(written(Value{std::uint8_t{9}}), 2), (ByteBlock{9, 0xEE}));
    EXPECT_EQ(prefix(written(Value{Logical{true}}), 5), (ByteBlock{1, 0, 0, 0, 0xEE}));
    EXPECT_EQ(prefix(written(Value{ProcAddress{0x01020304}}), 5), (ByteBlock{4, 3, 2, 1, 0xEE}));
    EXPECT_EQ(prefix(written(Value{DateTime{1.0}}), 9), (ByteBlock{0, 0, 0, 0, 0, 0, 0xF0, 0x3F, 0xEE}));
    EXPECT_EQ(prefix(written(Value{2.0f}, 2), 3), (ByteBlock{0, 0, 0xEE}));
}

TEST(WriteToAddress, BlocksWriteTheirBytesAndWiderArraysNothing)
{
    EXPECT_EQ(prefix(written(Value{ByteBlock{5, 6, 7}}), 4), (ByteBlock{5, 6, 7, 0xEE}));
    EXPECT_EQ(prefix(written(Value{ByteBlock{5, 6, 7}}, 1), 2), (ByteBlock{5, 0xEE}));
    EXPECT_EQ(prefix(written(Value{std::vector<std::int32_t>{1}}), 1), ByteBlock{0xEE});
    EXPECT_EQ(prefix(written(Value{}), 1), ByteBlock{0xEE});
}

TEST(WriteToAddress, OverlappingAreasCopyAsIfThroughABuffer)
{
    Value data{std::string("abcdef")};
    std::string& text = std::get<std::string>(data);
    writeToAddress(data, addressOf(text.data() + 1), 3);
    EXPECT_EQ(text, "aabcef");
}

} // namespace
} // namespace wrivo
