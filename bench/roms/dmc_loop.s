; Benchmark load: every console sound channel on, the delta channel looping the longest sample
; at its fastest rate, while the picture scrolls.
.include "worst_case.inc"

.segment "HEADER"
  .byte "NES", $1A, 2, 4, $01, $00   ; 32 KB PRG, 32 KB CHR, mapper 0, vertical
  .res 8, 0

.segment "CODE"
reset:
  START_WORST_CASE $80
  SET_SOUND_REGISTERS $14
  STORE $4015, $1F
: jmp :-

nmi_hook:
  STORE $4003, $08         ; keep the pulse notes sounding
  rts

sound_registers:
  .byte $9A, $B2, $FD, $08 ; pulse 1: envelope, sweep
  .byte $7F, $00, $80, $09 ; pulse 2: constant volume
  .byte $FF, $00, $40, $09 ; triangle
  .byte $3F, $00, $04, $08 ; noise
  .byte $4F, $00, <((sample - $C000) / 64), $FF ; delta: looping, fastest, 4081 bytes

.segment "RODATA"           ; in the last 8 KB, where the delta channel can reach it
.align 64
sample:
.repeat 4096, i
  .byte <(i * 37 + 11)
.endrepeat

.segment "CHARS"
  COMMON_TILES
