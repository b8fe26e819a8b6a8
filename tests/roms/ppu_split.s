; Mid-frame scroll split on sprite 0. Name table 0 is solid colour 1 (red); name table 1 is
; solid colour 2 (green). Vertical mirroring. Sprite 0
; (rows 0-3 transparent, rows 4-7 colour 3) sits at y 100, x 200, so its first opaque line is
; 104. Each frame the program scrolls to (0, 0) of table 0 in vertical blank, waits for the
; hit flag to clear and then to be set by polling $2002, and then writes fine X 4 and table
; 1: from line 105 down the picture shows table 1 moved 4 pixels left, with table 0 again
; in the last 4 columns. `hits` ($0020) counts the frames in which the program saw the hit.
.include "ppu_common.inc"
INES_HEADER 1

hits = $0020

.segment "CODE"
reset:
  START_UP palette, sprites
  FILL_TABLE $20, 1
  FILL_TABLE $24, 2

main:
  ldx #$00
  ldy #$1E
  jsr frame_start
@clear:
  bit PPUSTATUS
  bvs @clear
@hit:
  bit PPUSTATUS
  bvc @hit
  STORE PPUSCROLL, 4
  STORE PPUSCROLL, 0
  STORE PPUCTRL, $01
  inc hits
  jmp main

palette:
  .byte $0F, $16, $2A, $12, $0F, $16, $2A, $12, $0F, $16, $2A, $12, $0F, $16, $2A, $12
  .byte $0F, $30, $30, $30, $0F, $30, $30, $30, $0F, $30, $30, $30, $0F, $30, $30, $30

sprites:
  .byte 99, 6, $00, 200
  .res 252, $F0

END_CARTRIDGE no_interrupt
