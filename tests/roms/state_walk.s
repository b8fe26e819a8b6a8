; A picture that depends on time and on controller 1, for the state and recording tests.
; Vertical mirroring and the battery bit. Table 0 is colour 1, table 1 colour 2; every frame
; the NMI scrolls one pixel further right, so each frame differs from the last. Sprite 0 (a
; solid square) walks with the D-pad; A held counts up the battery RAM byte $6000.
;   $10 buttons (A in bit 7 ... Right in bit 0)   $11 sprite x   $12 sprite y   $13 scroll
.include "ppu_common.inc"
INES_HEADER 3

buttons  = $10
sprite_x = $11
sprite_y = $12
scroll   = $13

.segment "CODE"
reset:
  START_UP palette
  lda #$20
  ldx #1
  jsr fill_table
  lda #$24
  ldx #2
  jsr fill_table
  ldx #0                   ; every sprite hidden (Y 255) but sprite 0, a square at (120, 100)
  lda #$FF
: sta $0200,x
  inx
  bne :-
  lda #120
  sta sprite_x
  lda #100
  sta sprite_y
  lda #3
  sta $0201
  lda #0
  sta $0202
  lda #$80
  sta PPUCTRL
  lda #$1E
  sta PPUMASK
: jmp :-

nmi:
  pha
  lda sprite_y
  sta $0200
  lda sprite_x
  sta $0203
  lda #2
  sta OAMDMA
  inc scroll
  lda scroll
  sta PPUSCROLL
  lda #0
  sta PPUSCROLL
  lda #$80
  sta PPUCTRL
  jsr read_pad
  lsr buttons              ; Right
  bcc :+
  inc sprite_x
: lsr buttons              ; Left
  bcc :+
  dec sprite_x
: lsr buttons              ; Down
  bcc :+
  inc sprite_y
: lsr buttons              ; Up
  bcc :+
  dec sprite_y
: lsr buttons              ; Start, Select, B
  lsr buttons
  lsr buttons
  lsr buttons              ; A
  bcc :+
  inc $6000
: pla
  rti

read_pad:
  lda #1
  sta $4016
  lda #0
  sta $4016
  ldx #8
: lda $4016
  lsr a
  rol buttons
  dex
  bne :-
  rts

palette:
  .byte $0F, $16, $12, $30, $0F, $16, $12, $30, $0F, $16, $12, $30, $0F, $16, $12, $30
  .byte $0F, $27, $27, $27, $0F, $27, $27, $27, $0F, $27, $27, $27, $0F, $27, $27, $27

END_CARTRIDGE nmi
