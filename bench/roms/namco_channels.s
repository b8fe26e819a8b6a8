; Benchmark load: Namco 106 (mapper 19) with all eight wavetable channels playing, and every
; console channel on, while the picture scrolls.
.include "worst_case.inc"

.segment "HEADER"
  .byte "NES", $1A, 2, 4, $31, $10   ; 32 KB PRG, 32 KB CHR, mapper 19, vertical
  .res 8, 0

NAMCO_ADDRESS = $F800
NAMCO_DATA    = $4800

.segment "CODE"
reset:
  START_WORST_CASE $80
  SET_SOUND_REGISTERS $10
  STORE $4015, $0F
  STORE NAMCO_ADDRESS, $80 ; from byte 0, stepping
  ldx #0
: lda namco_memory,x
  sta NAMCO_DATA
  inx
  bpl :-
: jmp :-

  CONSOLE_NOTES

; Bytes 0-63: a wave of 128 samples (two a byte). 64-127: channel n's eight registers, each
; channel its own frequency, a 32-sample wave, volume 15 - n.
namco_memory:
.repeat 64, i
  .byte <(i * 29 + 7)
.endrepeat
.repeat 8, n
  .byte <(n * 40 + 17), 0, 2 + n, 0, $E0, 0, n * 8, 15 - n
.endrepeat

.segment "CHARS"
  COMMON_TILES
