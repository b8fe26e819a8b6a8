; 8x16 sprites. Sprite tile $0B takes the pair $0A/$0B of the $1000 table: a colour-1
; triangle on top of a solid colour-2 square. In the $0000 table both are solid colour 3.
;   0-3  tile $0B at y 40, x 16/32/48/64: plain, H flip, V flip (square on top), both flips
;   4    tile $0A at (80, 40): the $0000 pair, colour 3 all 16 rows
;   5    tile $0B behind the background at (96, 40), over the backdrop: shows whole
.include "ppu_common.inc"
INES_HEADER 0

.segment "CODE"
reset:
  START_UP palette, sprites
  FILL_TABLE $20, 0

main:
  ldx #$20
  ldy #$1E
  jsr frame_start
  jmp main

palette:
  .byte $0F, $30, $10, $00, $0F, $30, $10, $00, $0F, $30, $10, $00, $0F, $30, $10, $00
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

sprites:
  .byte 39, $0B, $00, 16
  .byte 39, $0B, $40, 32
  .byte 39, $0B, $80, 48
  .byte 39, $0B, $C0, 64
  .byte 39, $0A, $00, 80
  .byte 39, $0B, $21, 96
  .res 256 - 6 * 4, $F0

END_CARTRIDGE no_interrupt
  ; $0000 table: after the common tiles, $0A/$0B solid colour 3.
  .res 16 * 3, 0
  .res 32, $FF
  .res $1000 - 16 * 12, 0
  ; $1000 table: $0A the triangle, $0B solid colour 2.
  .res 16 * 10, 0
  TILE_TRIANGLE
  .res 8, $00
  .res 8, $FF
