; Benchmark load: VRC6 (mapper 24) with its two pulse channels and the sawtooth playing, and
; every console channel on, while the picture scrolls.
.include "worst_case.inc"

.segment "HEADER"
  .byte "NES", $1A, 2, 4, $81, $10   ; 32 KB PRG, 32 KB CHR, mapper 24, vertical
  .res 8, 0

.segment "CODE"
reset:
  START_WORST_CASE $80
  SET_SOUND_REGISTERS $10
  STORE $4015, $0F
  STORE $9000, $3F         ; pulse 1: duty 3, volume 15
  STORE $9001, $20
  STORE $9002, $81
  STORE $A000, $5A         ; pulse 2: duty 5, volume 10
  STORE $A001, $80
  STORE $A002, $82
  STORE $B000, $1F         ; sawtooth: rate 31
  STORE $B001, $40
  STORE $B002, $83
: jmp :-

  CONSOLE_NOTES

.segment "CHARS"
  COMMON_TILES
