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
  FILL_TABLE $20, 1
  FILL_TABLE $24, 2
  ldx #0                   ; every sprite hidden (Y 255) but sprite 0, a square at (120, 100)
  lda #$FF
: sta $0200,x
  inx
  bne :-
  STORE sprite_x, 120
  STORE sprite_y, 100
  STORE $0201, 3
  STORE $0202, 0
  STORE PPUCTRL, $80
  STORE PPUMASK, $1E
: jmp :-

nmi:
  pha
  lda sprite_y
  sta $0200
  lda sprite_x
  sta $0203
  STORE OAMDMA, 2
  inc scroll
  lda scroll
  sta PPUSCROLL
  STORE PPUSCROLL, 0
  STORE PPUCTRL, $80
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
  STORE $4016, 1
  STORE $4016, 0
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
