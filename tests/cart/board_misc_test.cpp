#include "cart/board_test.h"

using MiscBoardTest = BoardTest;

// 16 PRG units (32 banks of 8 KB); CHR units as each case says (1 KB pages tagged).
TEST_F(MiscBoardTest, BanksByBoard) {
  // Mapper 10: both latches start at $FE, so only the $FE candidates show at once.
  Run(10, {
              {16, 4, {{0xC000, 3}, {0xB000, 2}}, {{0x0000, C(12)}}},
              {16, 4, {{0xE000, 9}, {0xD000, 2}}, {{0x1000, C(4)}}},  // 9 mod 8 banks of 4 KB
              {16, 4, {{0xA000, 3}, {0x8000, 5}}, {{0x8000, P(6)}, {0xC000, P(30)}}},
              {16, 0, {{0xC000, 1}}, {{0x0000, kDrawn}}},
          });
  // Mapper 6 swaps whole 8 KB CHR RAM banks: bank 1 is empty, and going back to bank 0
  // brings back what the game drew.
  Run(6, {
             {16, 0, {{0x8000, 0x05}}, {{0x8000, P(2)}, {0xC000, P(14)}, {0x0000, 0}}},
             {16, 0, {{0x8000, 0x05}, {0x8000, 0x04}}, {{0x0000, kDrawn}, {0x8000, P(2)}}},
             {16, 0, {{0x42F1, 0x00}, {0x8000, 0x05}}, {{0x8000, P(0)}, {0x0000, kDrawn}}},
             {16, 0, {{0x6000, 1}, {0x4504, 2}}, {{0x6000, 1}, {0x4504, 0}}},
         });
  Run(17, {
              {16, 4, {{0x4504, 3}, {0x4505, 4}, {0x4506, 5}, {0x4507, 38}},
               {{0x8000, P(3)}, {0xA000, P(4)}, {0xC000, P(5)}, {0xE000, P(6)}}},
              {16, 4, {{0x4512, 9}, {0x4517, 33}}, {{0x0800, C(9)}, {0x1C00, C(1)}}},
              {16, 4, {{0x7000, 1}, {0x8000, 1}}, {{0x7000, 1}, {0x8000, P(0)}}},
          });
  // Mapper 32 starts in the mode that sends $8FF0 banks to $C000.
  Run(32, {
              {16, 4, {{0x8FF0, 3}}, {{0x8000, P(0)}, {0xC000, P(3)}}},
              {16, 4, {{0x9FF0, 0}, {0x8FF5, 4}, {0xAFF0, 6}}, {{0x8000, P(4)}, {0xA000, P(6)}}},
              {16, 4, {{0xBFF5, 9}, {0xBFE5, 7}}, {{0x1400, C(9)}}},
          });
  Run(33, {
              {16, 4, {{0x8000, 5}, {0x8000, 0}, {0x8001, 3}}, {{0x8000, P(0)}, {0xA000, P(3)}}},
              {16, 4, {{0x8002, 3}, {0xA002, 9}}, {{0x0000, C(6)}, {0x0400, C(7)}, {0x1800, C(9)}}},
              {16, 0, {{0x8003, 1}}, {{0x0800, kDrawn}}},
          });
  Run(48, {
              {16, 4, {{0x5115, 0x85}, {0x5114, 3}, {0x5116, 33}},
               {{0x8000, P(5)}, {0xA000, P(3)}, {0xC000, P(1)}, {0xE000, P(31)}}},
              {16, 4, {{0x5103, 6}, {0x6000, 7}, {0x8000, 1}},
               {{0xA000, P(6)}, {0x6000, 7}, {0x8000, P(31)}}},
          });
}
