; Scrolled background. Name table 0: colour-1 tiles in palette 0 (red), but one attribute
; byte ($23C4) gives tiles 16-19 of rows 0-3 (x 128-159, y 0-31 of the table) palettes 1, 2,
; 3 and 0 by 16 x 16 quadrant (top left, top right, bottom left, bottom right). Name table 1:
; colour 3 in palette 0 (blue). Vertical mirroring. Scroll X 100, Y 50 every frame, so the
; picture crosses into table 1 at x 156 and wraps to the top of table 0's mirror at y 190,
; where the quadrants show at x 28-59, y 190-221. The left 8 background columns are hidden.
.include "ppu_common.inc"
INES_HEADER 1

.segment "CODE"
reset:
  START_UP palette
  FILL_TABLE $20, 1
  lda #$23
  ldx #$C4
  jsr set_address
  STORE PPUDATA, $39
  FILL_TABLE $24, 3

main:
  ldx #$00
  ldy #$08
  jsr frame_start
  STORE PPUSCROLL, 100
  STORE PPUSCROLL, 50
  jmp main

palette:
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

END_CARTRIDGE no_interrupt
