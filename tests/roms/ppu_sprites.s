; 8x8 sprites over a still background. Background rows 12-15 (y 96-127): on the left half
; white stripes on odd columns (even columns are the backdrop), on the right half tiles of
; colour 2, which is $0F, the same as the backdrop. Sprites (top line = Y + 1):
;   0-3  the colour-1 triangle at y 40, x 16/32/48/64: plain, H flip, V flip, both flips
;   4, 5 solid squares at (80, 40) and (84, 44): sprite 4 covers sprite 5 where they overlap
;   6    behind the background at (20, 100): shows only in the stripes' backdrop columns
;   7    in front at (40, 100): shows everywhere
;   8, 9 behind at (60, 108) and (62, 108): sprite 8 is a triangle whose transparent pixels
;        put the backdrop over sprite 9 (within sprite 8's columns)
;   10   behind at (140, 100), over the $0F background: shows whole
;   11   at (252, 150): clipped to columns 252-255;  12 at (4, 150), left column shown
;   13   Y 255: below the picture, never drawn (x 100)
.include "ppu_common.inc"
INES_HEADER 0

.segment "CODE"
reset:
  START_UP palette, sprites
  ; Table 0 (horizontal mirroring keeps $2400 a copy): blank but rows 12-15.
  FILL_TABLE $20, 0
  lda #$21
  ldx #$80
  jsr set_address
  STORE counter, 4
@band:
  lda #4
  ldx #16
  jsr fill_data          ; stripes, left half
  lda #2
  ldx #16
  jsr fill_data          ; colour-2 tiles, right half
  dec counter
  bne @band

main:
  ldx #$00
  ldy #$1E
  jsr frame_start
  jmp main

palette:
  .byte $0F, $30, $0F, $00, $0F, $30, $0F, $00, $0F, $30, $0F, $00, $0F, $30, $0F, $00
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

sprites:
  .byte 39, 5, $00, 16
  .byte 39, 5, $40, 32
  .byte 39, 5, $80, 48
  .byte 39, 5, $C0, 64
  .byte 39, 3, $01, 80
  .byte 43, 2, $02, 84
  .byte 99, 3, $23, 20
  .byte 99, 3, $03, 40
  .byte 107, 5, $20, 60
  .byte 107, 3, $21, 62
  .byte 99, 3, $22, 140
  .byte 149, 3, $01, 252
  .byte 149, 3, $02, 4
  .byte 255, 3, $00, 100
  .res 256 - 14 * 4, $F0

END_CARTRIDGE no_interrupt
