; Benchmark load: 64 sprites of 8 x 16 on every picture line. Fifteen sprite pages in ROM each
; put all 64 sprites in one band of 16 lines; the main loop copies the next page in every 16
; lines, so every band is full. Half the sprites are behind the background, a quarter flipped.
.include "worst_case.inc"
INES_HEADER 1

.segment "ZEROPAGE"
band: .res 1

.segment "CODE"
reset:
  START_WORST_CASE $A0     ; NMI on, 8 x 16 sprites
main:
: lda frame_ready
  beq :-
  STORE frame_ready, 0
  STORE band, 1
  jsr delay_16_lines       ; the rest of the vertical blank, about
@next_band:
  jsr delay_16_lines
  ldx band
  lda page_numbers,x
  sta OAMDMA
  inc band
  lda band
  cmp #15
  bne @next_band
  jmp main

nmi_hook:                  ; band 0 for the first lines
  lda page_numbers
  sta OAMDMA
  rts

; About 1827 cycles: 16 lines of 114.
delay_16_lines:
  ldy #7
@outer:
  ldx #51
@inner:
  dex
  bne @inner
  dey
  bne @outer
  rts

page_numbers:
.repeat 15, k
  .byte >(sprite_pages + k * 256)
.endrepeat

.align 256
; Page k: sprite j at Y 16k, tile pair 2-3, X 4j; palette, priority and flip from j.
sprite_pages:
.repeat 15, k
  .repeat 64, j
    .byte 16 * k, 2, (j & 3) | ((j & 4) << 3) | ((j & 8) << 3), 4 * j
  .endrepeat
.endrepeat

.segment "CHARS"
  COMMON_TILES
