; Scrolled background: name table 0 is a checkerboard of colour 1 and colour 2 tiles, name
; table 1 is solid colour 3 in palette 1. Vertical mirroring. Scroll X 100, Y 50 every frame,
; so the picture crosses into table 1 at x 156 and wraps to the top of table 0's mirror at
; y 190. One attribute byte ($23C4) gives tiles 16-19 of rows 0-3 the four palettes by quadrant.
; The left 8 background columns are hidden.
.include "ppu_common.inc"
INES_HEADER 1

.segment "CODE"
reset:
  START_UP palette
  ; Table 0: tile 1 + ((row + column) AND 1), `counter` the row.
  lda #$20
  ldx #$00
  jsr set_address
  lda #0
  sta counter
@rows:
  ldx #0
@columns:
  txa
  eor counter
  and #1
  clc
  adc #1
  sta PPUDATA
  inx
  cpx #32
  bne @columns
  inc counter
  lda counter
  cmp #30
  bne @rows
  ; Its attributes: 0 except byte 4.
  lda #0
  ldx #4
  jsr fill_data
  lda #$E4
  sta PPUDATA
  lda #0
  ldx #59
  jsr fill_data
  ; Table 1: tile 3 everywhere, palette 1.
  lda #$24
  ldx #3
  ldy #$55
  jsr fill_table

main:
  ldx #$00
  ldy #$08
  jsr frame_start
  lda #100
  sta PPUSCROLL
  lda #50
  sta PPUSCROLL
  jmp main

palette:
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

END_CARTRIDGE no_interrupt
