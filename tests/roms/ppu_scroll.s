; Scrolled background: name table 0 is a checkerboard of colour 1 and colour 2 tiles, name
; table 1 is solid colour 3 in palette 1. Vertical mirroring. Scroll X 100, Y 50 every frame,
; so the picture crosses into table 1 at x 156 and wraps to the top of table 0's mirror at
; y 190. One attribute byte ($23C4) gives tiles 16-19 of rows 0-3 the four palettes by quadrant.
; The left 8 background columns are hidden.
.include "ppu_common.inc"
INES_HEADER 1

.segment "ZEROPAGE"
row: .res 1

.segment "CODE"
reset:
  START_UP
  lda #<palette
  sta pointer
  lda #>palette
  sta pointer+1
  jsr load_palette

  ; Table 0: tile 1 + ((row + column) AND 1).
  lda #$20
  ldx #$00
  jsr set_address
  lda #0
  sta row
@rows:
  ldx #0
@columns:
  txa
  clc
  adc row
  and #1
  clc
  adc #1
  sta PPUDATA
  inx
  cpx #32
  bne @columns
  inc row
  lda row
  cmp #30
  bne @rows
  ; Its attributes: 0 except byte 4.
  ldx #0
@attributes:
  lda #0
  cpx #4
  bne :+
  lda #$E4
: sta PPUDATA
  inx
  cpx #64
  bne @attributes

  ; Table 1: tile 3 everywhere, palette 1.
  lda #$24
  ldx #$00
  jsr set_address
  ldy #4
@fill:
  lda #3
  ldx #240
  jsr fill_data
  dey
  bne @fill
  lda #$55
  ldx #64
  jsr fill_data

main:
  jsr wait_vblank
  lda #100
  sta PPUSCROLL
  lda #50
  sta PPUSCROLL
  lda #$00
  sta PPUCTRL
  lda #$08
  sta PPUMASK
  jmp main

nmi:
irq:
  rti

palette:
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

.segment "VECTORS"
  .word nmi, reset, irq

.segment "CHARS"
  COMMON_TILES
