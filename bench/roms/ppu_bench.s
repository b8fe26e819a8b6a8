; Benchmark load: the checkerboard background and all 64 sprites on, scrolling diagonally and
; moving the sprites every frame from the NMI, while the main loop waits on a RAM flag as
; games do. Assembled with tests/roms on the include path for the shared macros.
.include "ppu_common.inc"
INES_HEADER 1

.segment "ZEROPAGE"
scroll_x: .res 1
scroll_y: .res 1
frame_ready: .res 1
row: .res 1

.segment "CODE"
reset:
  START_UP palette
  ; Sprites spread over the picture: tiles 1-3 and 5, all four palettes, the upper 32
  ; behind the background.
  ldx #0
@sprite:
  txa
  and #$38
  asl
  adc #20
  sta $0200,x           ; Y
  txa
  lsr
  lsr
  and #3
  tay
  lda sprite_tiles,y
  sta $0201,x           ; tile
  txa
  lsr
  lsr
  sta $0202,x           ; palette, flips and priority from the index
  txa
  asl
  asl
  sta $0203,x           ; X
  inx
  inx
  inx
  inx
  bne @sprite
  ; Both name tables: a checkerboard of tiles 1 and 2, varied attributes.
  lda #$20
  ldx #$00
  jsr set_address
  jsr fill_checkerboard
  lda #$24
  ldx #$00
  jsr set_address
  jsr fill_checkerboard
  lda #$80
  sta PPUCTRL

main:
: lda frame_ready
  beq :-
  lda #0
  sta frame_ready
  ; Move every sprite one pixel right.
  ldx #0
: inc $0203,x
  inx
  inx
  inx
  inx
  bne :-
  jmp main

fill_checkerboard:
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
  ldx #0
: txa
  sta PPUDATA
  inx
  cpx #64
  bne :-
  rts

nmi:
  pha
  bit PPUSTATUS
  lda #2
  sta OAMDMA
  inc scroll_x
  inc scroll_y
  lda scroll_y
  cmp #240
  bcc :+
  lda #0
  sta scroll_y
: lda scroll_x
  sta PPUSCROLL
  lda scroll_y
  sta PPUSCROLL
  lda #$80
  sta PPUCTRL
  lda #$1E
  sta PPUMASK
  lda #1
  sta frame_ready
  pla
irq:
  rti

sprite_tiles:
  .byte 1, 2, 3, 5

palette:
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21
  .byte $0F, $16, $2A, $12, $0F, $27, $1A, $30, $0F, $05, $15, $25, $0F, $01, $11, $21

.segment "VECTORS"
  .word nmi, reset, irq

.segment "CHARS"
  COMMON_TILES
