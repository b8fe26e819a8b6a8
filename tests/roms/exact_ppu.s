; What a program sees of the PPU, stored at results+n:
;   0-2   three $2007 reads after setting $2000 (holding $11 $22)
;   3     a palette read ($3F01)
;   4     the next read at $2000, after the palette read ($2F01 holds $5A)
;   5     $2002's low bits after writing $13 to $2005
;   6-11  $2002 bits 6-5 after a frame with sprite 0 over: the transparent table 0, the
;         opaque table 1, at X 255, at X 0 with the left column clipped, shown, and with eight
;         more sprites on its line
;   12-15 passes from the vertical-blank flag to the end of sprite 0's hit, then from flag to
;         flag (16 bits each, the same loop): how many lines vertical blank's flag stands
;   16    $2004 at 0 after a rendered frame that followed writes at $10 and $11
;   17    NMIs taken just after enabling the NMI late in vertical blank
;   18    NMIs taken before a polling loop saw the flag
; Then it shows, every frame, sprites 0-8 on lines 100-107 and the picture from a $2006 pair
; ($2400, table 1) written in vertical blank with $2000 choosing table 0.
.include "ppu_common.inc"
INES_HEADER 1              ; vertical mirroring: table 1 at $2400

.segment "ZEROPAGE"
nmi_count: .res 1
index:     .res 1
phase:     .res 1
start:     .res 1
passes:    .res 2

results = $0300
oam     = $0200

; Sets the PPU address.
.macro AT high, low
  lda #high
  ldx #low
  jsr set_address
.endmacro

.segment "CODE"
reset:
  START_UP colours, sprites
  AT $20, $00
  STORE PPUDATA, $11
  STORE PPUDATA, $22
  AT $2F, $01
  STORE PPUDATA, $5A
  AT $20, $00
  jsr read_data
  jsr read_data
  jsr read_data
  AT $3F, $01
  jsr read_data
  AT $20, $00
  jsr read_data
  STORE PPUSCROLL, $13
  lda PPUSTATUS
  and #$1F
  jsr note
  FILL_TABLE $20, 0
  FILL_TABLE $24, 3

  ldx #0
@phase:
  stx phase
  jsr wait_vblank
  lda phase_x, x
  sta oam + 3
  lda phase_more, x
  ldy #4 * 8
: sta oam, y
  dey
  dey
  dey
  dey
  bne :-
  STORE OAMDMA, 2
  STORE PPUSCROLL, 0
  sta PPUSCROLL
  lda phase_ctrl, x
  sta PPUCTRL
  lda phase_mask, x
  sta PPUMASK
  jsr wait_vblank
  and #$60
  jsr note
  ldx phase
  inx
  cpx #6
  bne @phase

  jsr wait_vblank
  jsr count_hit
  jsr note_passes
  jsr wait_vblank
  jsr count_to_flag
  jsr note_passes

  jsr wait_vblank
  STORE $2003, 0
  STORE $2004, $55
  STORE $2003, $10
  STORE $2004, $AA
  jsr wait_vblank
  STORE $2004, $77
  STORE $2003, 0
  lda $2004
  jsr note

  STORE oam, 230            ; sprite 0 on line 231, the last one drawn
  STORE OAMDMA, 2
  jsr wait_hit
  ldx #16
  jsr wait_lines
  lda nmi_count
  sta start
  STORE PPUCTRL, $81
  ldx #2
  jsr wait_lines
  STORE PPUCTRL, $01
  jsr note_nmis

  STORE PPUCTRL, $81
  lda nmi_count
: cmp nmi_count
  beq :-
  lda PPUSTATUS
  lda nmi_count
  sta start
: lda PPUSTATUS
  bpl :-
  jsr note_nmis
  STORE PPUCTRL, $01

  STORE oam, 99
  STORE oam + 3, 16
@show:
  jsr wait_vblank
  STORE OAMDMA, 2
  STORE PPUCTRL, 0
  STORE PPUMASK, $1E
  AT $24, $00
  jmp @show

read_data:
  lda PPUDATA
note:
  ldx index
  sta results, x
  inc index
  rts

note_nmis:
  lda nmi_count
  sec
  sbc start
  jmp note

note_passes:
  lda passes
  jsr note
  lda passes + 1
  jmp note

; Two loops of the same cycles a pass: while sprite 0's hit stands, and until the flag rises.
count_hit:
  jsr clear_passes
: jsr count_pass
  bit PPUSTATUS
  bvs :-
  rts
count_to_flag:
  jsr clear_passes
: jsr count_pass
  bit PPUSTATUS
  bpl :-
  rts
clear_passes:
  lda #0
  sta passes
  sta passes + 1
  rts
count_pass:
  inc passes
  bne :+
  inc passes + 1
: rts

; Until the next frame's sprite 0 hit.
wait_hit:
: bit PPUSTATUS
  bvs :-
: bit PPUSTATUS
  bvc :-
  rts

; About X lines.
wait_lines:
: ldy #24
: dey
  bne :-
  dex
  bne :--
  rts

nmi:
  inc nmi_count
  rti

; Sprite 0's X, PPUCTRL, PPUMASK and the Y of sprites 1-8 (255: hidden) for each phase.
phase_x:    .byte 100, 100, 255, 0, 0, 100
phase_ctrl: .byte $00, $01, $01, $01, $01, $01
phase_mask: .byte $1E, $1E, $1E, $18, $1E, $1E
phase_more: .byte $FF, $FF, $FF, $FF, $FF, 99

colours:
  .repeat 4
    .byte $21, $16, $12, $2A
  .endrepeat
  .repeat 4
    .byte $21, $05, $09, $30
  .endrepeat

; Sprite 0 on lines 100-107, sprites 1-8 beside it (hidden until asked for), all tile 3.
sprites:
  .byte 99, 3, 0, 100
  .repeat 8, k
    .byte $FF, 3, 0, 40 + 24 * k
  .endrepeat
  .res 256 - 9 * 4, $FF

END_CARTRIDGE nmi
